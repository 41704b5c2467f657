#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary folder that is removed with the test, with helpers to lay files in it.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // The folder's path, ending with a separator.
    QString path() const;
    QString filePath(const QString& relativePath) const;

    // Writes `bytes` to `relativePath`, creating the folders on the way; returns the full path.
    QString write(const QString& relativePath, const QByteArray& bytes) const;
    QString makeFolder(const QString& relativePath) const;
    QByteArray read(const QString& relativePath) const;

    // The same for a path given by its bytes on disk, ASCII with stray bytes that are no UTF-8 (a
    // name from an old archive). Made through POSIX calls, which no toolkit decodes; returns the
    // path as the program holds it, each stray byte as the lone surrogate U+DC00 + byte.
    QString writeNative(const QByteArray& relativePath, const QByteArray& bytes) const;
    QByteArray readNative(const QByteArray& relativePath) const;
    QByteArray nativePath() const;

private:
    QTemporaryDir folder;
};

// How the program holds a name of ASCII and stray bytes: each byte from 0x80 up as the lone
// surrogate U+DC00 + byte. Written here on its own, not taken from the code under test.
QString heldName(const QByteArray& asciiAndStrayBytes);
