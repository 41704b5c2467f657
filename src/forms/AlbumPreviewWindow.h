#pragma once

#include "logic/ErrorReport.h"
#include "logic/settings/ProgramState.h"

#include <QWidget>

class QLabel;
class QListWidget;

namespace orvandel {

// A plain view of the current album: its pictures in the folder's order and a preview of the one
// chosen. Closing it saves the settings as a close request does.
class AlbumPreviewWindow final : public QWidget {
    Q_OBJECT

public:
    AlbumPreviewWindow(ProgramState& state, const QString& settingsPath, ErrorReport& report);

    void showAlbum();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void previewRow(int row);

    ProgramState& state;
    QString settingsPath;
    ErrorReport& report;
    QListWidget* pictureList;
    QLabel* preview;
};

} // namespace orvandel
