#pragma once

#include <QString>

#include <cstddef>
#include <span>

namespace orvandel::platform {

// Writes `bytes` as a new file at `path`, never replacing an existing one: the content is
// written to a temporary file first and then given the name in one step, so that no one sees a
// partial file and two writers never share a name. Returns false when the name is taken; any
// other failure throws orvandel::Error "Impossible de créer le fichier "<path>". <reason>" and
// leaves nothing behind.
bool createNewFile(const QString& path, std::span<const std::byte> bytes);

} // namespace orvandel::platform
