#include "QtPictureOpenDialog.h"

#include "imaging/PictureLoader.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>

namespace orvandel::desktop {

namespace {

constexpr QSize PreviewSize(220, 220);

const QStringList PictureFilters = {
    QStringLiteral("Toutes les images (*.png *.jpg *.jpeg *.bmp *.tif *.tiff *.ico *.emf *.wmf)"),
    QStringLiteral("Image PNG (*.png)"),
    QStringLiteral("Image JPEG (*.jpg)"),
    QStringLiteral("Image JPEG (*.jpeg)"),
    QStringLiteral("Bitmap (*.bmp)"),
    QStringLiteral("Image TIFF (*.tif)"),
    QStringLiteral("Image TIFF (*.tiff)"),
    QStringLiteral("Icône (*.ico)"),
    QStringLiteral("Métafichier amélioré (*.emf)"),
    QStringLiteral("Métafichier (*.wmf)")};

// Decoded no larger than the preview shows it.
void showPreview(QLabel& preview, const QString& path) {
    preview.clear();
    if (path.isEmpty() || QFileInfo(path).isDir())
        return;
    try {
        const QImage picture = imaging::loadPictureBounded(path, PreviewSize);
        preview.setPixmap(QPixmap::fromImage(
            picture.scaled(PreviewSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    } catch (...) {
        // A file that cannot be previewed is still offered; choosing it reports why.
        preview.setText(QStringLiteral("Aperçu impossible"));
    }
}

} // namespace

std::optional<QString> QtPictureOpenDialog::choosePicture(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ReadOnly);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(PictureFilters);
    dialog.setSizeGripEnabled(true);

    auto* preview = new QLabel(&dialog);
    preview->setFixedSize(PreviewSize);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameShape(QFrame::StyledPanel);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addWidget(preview, 1, grid->columnCount(), grid->rowCount() - 1, 1);
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview,
                     [preview](const QString& path) { showPreview(*preview, path); });

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace orvandel::desktop
