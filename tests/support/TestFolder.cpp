#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <ftw.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>

TestFolder::TestFolder() {
    if (!folder.isValid())
        throw std::runtime_error("cannot create a temporary folder");
}

// Quirk: QTemporaryDir removes through Qt's names, which cannot reach a name that is not UTF-8;
// the tree is removed by its bytes first.
TestFolder::~TestFolder() {
    ::nftw(
        nativePath().constData(),
        [](const char* entry, const struct stat*, int, FTW*) { return ::remove(entry); }, 16,
        FTW_DEPTH | FTW_PHYS);
}

QString TestFolder::path() const {
    return folder.path() + u'/';
}

QString TestFolder::filePath(const QString& relativePath) const {
    return path() + relativePath;
}

QString TestFolder::write(const QString& relativePath, const QByteArray& bytes) const {
    const QString full = filePath(relativePath);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write a test file");
    return full;
}

QString TestFolder::makeFolder(const QString& relativePath) const {
    const QString full = filePath(relativePath);
    QDir().mkpath(full);
    return full;
}

QByteArray TestFolder::read(const QString& relativePath) const {
    QFile file(filePath(relativePath));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QByteArray TestFolder::nativePath() const {
    return QFile::encodeName(path());
}

QString TestFolder::writeNative(const QByteArray& relativePath, const QByteArray& bytes) const {
    const QByteArray full = nativePath() + relativePath;
    for (qsizetype slash = full.indexOf('/', 1); slash >= 0; slash = full.indexOf('/', slash + 1))
        ::mkdir(full.left(slash).constData(), 0777);
    const int file = ::open(full.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (file < 0)
        throw std::runtime_error("cannot create a test file");
    const bool written = ::write(file, bytes.constData(), bytes.size()) == bytes.size();
    ::close(file);
    if (!written)
        throw std::runtime_error("cannot write a test file");
    return path() + heldName(relativePath);
}

QByteArray TestFolder::readNative(const QByteArray& relativePath) const {
    const int file = ::open((nativePath() + relativePath).constData(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return {};
    QByteArray bytes;
    char block[4096];
    for (ssize_t got; (got = ::read(file, block, sizeof block)) > 0;)
        bytes.append(block, got);
    ::close(file);
    return bytes;
}

QString heldName(const QByteArray& asciiAndStrayBytes) {
    QString name;
    for (const char byte : asciiAndStrayBytes) {
        const auto value = static_cast<unsigned char>(byte);
        name += value < 0x80 ? QChar(value) : QChar(static_cast<char16_t>(0xDC00 + value));
    }
    return name;
}
