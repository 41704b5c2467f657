#pragma once

#include <QString>

#include <cstddef>
#include <span>

namespace orvandel::platform {

// Writes a file through a temporary file in the same folder and a rename, so that a reader sees
// the old content or the whole new one, never a torn file. The temporary file is removed when the
// writer is destroyed without commit(). Every failure throws orvandel::Error with the French text
// "Impossible de créer le fichier "<path>". <reason>".
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(QString targetPath);
    ~AtomicFileWriter();

    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    void write(std::span<const std::byte> bytes);
    // Flushes the data to disk and puts the new file in place of the old one.
    void commit();

    const QString& temporaryPath() const { return temporary; }

private:
    [[noreturn]] void fail(int errorNumber) const;

    QString target;
    QString temporary;
    int descriptor = -1;
    int targetMode = -1;
};

// Replaces the content of `path` with `bytes` in one step.
void replaceFileContent(const QString& path, std::span<const std::byte> bytes);

} // namespace orvandel::platform
