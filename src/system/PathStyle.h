#pragma once

namespace orvandel::system {

// How paths are written: Windows ends folders with a backslash and roots a drive as "C:\",
// POSIX systems use the slash and have the one root "/".
enum class PathStyle { Windows, Posix };

// The style of the platform the program runs on.
PathStyle nativePathStyle();

} // namespace orvandel::system
