#include "MainWindowFixture.h"

#include "PictureFixtures.h"

#include <QPlainTextEdit>

namespace {

// Notes the file and placement of each change, the placement as its position code.
class ChangeRecordingSetter final : public orvandel::desktop::WallpaperSetter {
public:
    explicit ChangeRecordingSetter(QList<QPair<QString, std::int32_t>>& changes)
        : applied(changes) {}

    void apply(const QString& path, orvandel::desktop::WallpaperPlacement placement) override {
        applied.append({path, static_cast<std::int32_t>(placement)});
    }

private:
    QList<QPair<QString, std::int32_t>>& applied;
};

} // namespace

MainWindowFixture::MainWindowFixture()
    : wallpaperSetter([this] { return std::make_unique<ChangeRecordingSetter>(applied); }) {
    program.makeFolder(QStringLiteral("Images/Nature"));
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
    using orvandel::TFOrvandel;
    window = std::make_unique<TFOrvandel>(orvandel::MainWindowServices{
        state, report, dialogs, random, program.path(), QSize(640, 480), mainForm, trayIcon,
        taskbar, [this] { return wallpaperSetter(); }});
    QObject::connect(window.get(), &TFOrvandel::folderWatchRequested,
                     [this](const QString& folder) { watched.append(folder); });
    QObject::connect(window.get(), &TFOrvandel::counterCopied,
                     [this](const QString& counter) { optionsCounter.append(counter); });
    QObject::connect(window.get(), &TFOrvandel::quitRequested, [this] { ++quits; });
    QObject::connect(window.get(), &TFOrvandel::endRequested, [this] { ++ended; });
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
