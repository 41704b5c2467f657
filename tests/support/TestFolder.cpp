#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

TestFolder::TestFolder() {
    if (!folder.isValid())
        throw std::runtime_error("cannot create a temporary folder");
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
