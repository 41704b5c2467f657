#pragma once

#include <QString>

#include <optional>

namespace orvandel::desktop {
class FolderDialog;
}

namespace orvandel::inline logic::UPath {

// Special-folder value of the user's pictures folder.
inline constexpr int CSIDL_MYPICTURES = 39;
// Browse-dialog flag that lets the user pick a file as well as a folder.
inline constexpr int BIF_BROWSEINCLUDEFILES = 0x4000;

// `aPath` ending with the separator: one is added unless it is there already or the path is
// empty.
QString AddBackSlash(const QString& aPath);

// The special folder named by its CSIDL value, ending with the separator; nothing when this
// system has no such folder.
std::optional<QString> GetFolder(int CSIDLValue);

// Lets the user choose a folder (or, with BIF_BROWSEINCLUDEFILES, a folder or a file). A folder
// ends with the separator unless `Flags` is exactly BIF_BROWSEINCLUDEFILES; nothing on cancel.
std::optional<QString> BrowseDialog(desktop::FolderDialog& dialog, int Flags);

// A path chosen by index: 100 the executable's folder, 101 its file name, 102 the current
// directory, 103 and 104 the browse dialog with flags 0 and BIF_BROWSEINCLUDEFILES, any other
// value the special folder of that CSIDL value. Nothing when no path is found or on cancel.
std::optional<QString> GetPath(int Index, desktop::FolderDialog& dialog);

} // namespace orvandel::inline logic::UPath
