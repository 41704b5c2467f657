#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary folder that is removed with the test, with helpers to lay files in it.
class TestFolder {
public:
    TestFolder();

    // The folder's path, ending with a separator.
    QString path() const;
    QString filePath(const QString& relativePath) const;

    // Writes `bytes` to `relativePath`, creating the folders on the way; returns the full path.
    QString write(const QString& relativePath, const QByteArray& bytes) const;
    QString makeFolder(const QString& relativePath) const;
    QByteArray read(const QString& relativePath) const;

private:
    QTemporaryDir folder;
};
