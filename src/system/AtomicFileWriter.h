#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <functional>
#include <span>

namespace orvandel::system {

// Pushes what was written to an open file or folder down to the disk (fsync here). Tests pass
// their own to see what the writer syncs, and when.
using SyncCall = std::function<int(int descriptor)>;

// Writes a file so that a reader sees the old content or the whole new one, never a torn file:
// the bytes go to a temporary file in the same folder, which is synced and renamed over the old
// one; the folder is synced after the rename, so that a write that succeeded outlasts a power
// loss. A symbolic link is written through: its target gets the new content, and the target of a
// dangling link is created. A replaced file keeps its mode, owner, group and extended attributes;
// a new file gets the mode the user's umask gives. Where no new file can take the old one's place
// with all of these (several hard links, an owner or attribute the process may not set, a folder
// where no file can be created), the existing file is written in place instead.
// Anything but a regular file is refused and never opened for writing. Nothing is changed when
// the writer is destroyed without commit(). Every failure throws orvandel::Error with the French
// text "Impossible de créer le fichier "<path>". <reason>".
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(QString targetPath, SyncCall sync = {});
    ~AtomicFileWriter();

    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    void write(std::span<const std::byte> bytes);
    // Flushes the data to disk and puts the new content in place of the old one.
    void commit();

    // Empty when the file is written in place.
    const QString& temporaryPath() const { return temporary; }

private:
    enum class Method { ThroughTemporaryFile, InPlace };

    void prepare();
    int createTemporaryFile(unsigned mode);
    bool keepOwnerModeAndAttributes(unsigned owner, unsigned group, unsigned mode);
    void openInPlace();
    void commitThroughTemporaryFile();
    void commitInPlace();
    void syncFolder();
    void removeTemporaryFile();
    [[noreturn]] void fail(int errorNumber) const;
    [[noreturn]] void fail(const QString& reason) const;

    QString target;
    // The file that really receives the content: the target with its links followed.
    QByteArray resolvedTarget;
    QString temporary;
    SyncCall sync;
    Method method = Method::ThroughTemporaryFile;
    int descriptor = -1;
    // In place, the content waits here until commit(), so that an abandoned write changes nothing.
    QByteArray pendingContent;
    long long existingSize = -1;
};

// Replaces the content of `path` with `bytes` in one step.
void replaceFileContent(const QString& path, std::span<const std::byte> bytes, SyncCall sync = {});

} // namespace orvandel::system
