#include "MainWindowFixture.h"

#include "PictureFixtures.h"

#include <QPlainTextEdit>

MainWindowFixture::MainWindowFixture() {
    program.makeFolder(QStringLiteral("Images/Nature"));
    links.ApplyWallPaper = [this](const QString& file, std::int32_t style) {
        applied.append({file, style});
    };
    links.CreationNotification = [this](const QString& folder) { watched.append(folder); };
    links.setOptionsCounter = [this](const QString& counter) { optionsCounter.append(counter); };
    links.setOptionsAlbum = [this](const QString& folder, const QString& name) {
        optionsFolder.append(folder + u'|' + name);
    };
    links.endApplication = [this] { ++ended; };
}

QStringList MainWindowFixture::addPictures(const QString& album, int count) {
    QStringList names;
    for (int index = 0; index < count; ++index) {
        const QString name = QStringLiteral("p%1.png").arg(index);
        program.write(QStringLiteral("Images/%1/%2").arg(album, name),
                      fixtures::pngFile(fixtures::patternPicture(20 + index, 10 + index)));
        names.append(name);
    }
    return names;
}

void MainWindowFixture::writeSettings(const QByteArray& iniLines) {
    program.write(QStringLiteral("Options.ini"), "[Options]\n" + iniLines);
}

QString MainWindowFixture::settingsText() const {
    return QString::fromUtf8(program.read(QStringLiteral("Options.ini")));
}

QString MainWindowFixture::albumFolder(const QString& album) const {
    return program.path() + QStringLiteral("Images/") + album + u'/';
}

orvandel::TFOrvandel& MainWindowFixture::create() {
    window = std::make_unique<orvandel::TFOrvandel>(
        orvandel::MainWindowServices{state, report, dialogs, random, program.path(),
                                     QSize(640, 480), mainForm, trayIcon, taskbar},
        links);
    return *window;
}

orvandel::TFOrvandel& MainWindowFixture::start() {
    create();
    window->FormCreate();
    return *window;
}

QStringList MainWindowFixture::logLines() const {
    return child<QPlainTextEdit>("MemoLog")->toPlainText().split(u'\n');
}
