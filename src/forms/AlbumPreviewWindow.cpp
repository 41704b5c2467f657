#include "AlbumPreviewWindow.h"

#include "imaging/PictureLoader.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>

namespace orvandel {

namespace {

const QSize PreviewSize(327, 207);

} // namespace

AlbumPreviewWindow::AlbumPreviewWindow(ProgramState& programState, const QString& settingsFile,
                                       ErrorReport& errorReport)
    : state(programState)
    , settingsPath(settingsFile)
    , report(errorReport)
    , pictureList(new QListWidget(this))
    , preview(new QLabel(this)) {
    preview->setFixedSize(PreviewSize);
    preview->setScaledContents(true);
    pictureList->setFixedWidth(180);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(preview);
    layout->addWidget(pictureList);
    connect(pictureList, &QListWidget::currentRowChanged, this,
            report.guarded([this](int row) { previewRow(row); }));
}

void AlbumPreviewWindow::showAlbum() {
    pictureList->clear();
    pictureList->addItems(state.ListeDesImages);
    setWindowTitle(
        QStringLiteral("%1 — %2 images").arg(state.NomAlbum).arg(state.ListeDesImages.size()));
    if (!state.ListeDesImages.isEmpty())
        pictureList->setCurrentRow(0);
}

void AlbumPreviewWindow::previewRow(int row) {
    if (row < 0 || row >= state.ListeDesImages.size())
        return;
    const QImage picture =
        imaging::loadPictureBounded(state.DossierImages + state.ListeDesImages[row], PreviewSize);
    preview->setPixmap(QPixmap::fromImage(picture));
}

void AlbumPreviewWindow::closeEvent(QCloseEvent* event) {
    report.run([this] { saveOnCloseRequest(ProfileFile(settingsPath), state); });
    event->accept();
}

} // namespace orvandel
