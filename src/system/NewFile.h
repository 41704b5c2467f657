#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <span>

namespace orvandel::system {

// A new file written piece by piece into a hidden temporary file beside its intended path, then
// given a name in one step, never replacing an existing file: no one sees a partial file and two
// writers never share a name. A taken name can be followed by another. What was never named is
// removed when the object goes. Every failure throws orvandel::Error "Impossible de créer le
// fichier "<path>". <reason>".
class NewFile {
public:
    // The temporary file goes into the folder of `intendedPath`, which also names the file in
    // the messages of failures before a name is claimed.
    explicit NewFile(const QString& intendedPath);
    ~NewFile();

    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    void write(std::span<const std::byte> bytes);
    // Makes the content durable, once, and gives it the name `path` in the same folder; false
    // when the name is taken.
    bool claim(const QString& path);

private:
    [[noreturn]] void fail(const QString& path, int errorNumber) const;
    void finish();

    QString intended;
    QByteArray temporaryName;
    int descriptor = -1;
    bool finished = false;
};

} // namespace orvandel::system
