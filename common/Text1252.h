#pragma once
// Texts from instruments and files are Windows-1252 bytes; they stay bytes everywhere and are
// converted only where a widget shows them or a person types them.
#include <QString>
#include <string>
#include <string_view>

namespace cv {

QString From1252(std::string_view bytes);
std::string To1252(const QString& text);          // characters outside Windows-1252 become '?'
std::string Utf8To1252(std::string_view utf8);
std::string Cp1252ToUtf8(std::string_view bytes);

// A name as the file system spells it (the local 8-bit encoding), as Windows-1252 text.
std::string FileSystemTo1252(std::string_view fsName);
// How a log line names a file: the name after the path's last '/', as Windows-1252 text.
std::string LoggedFileName(std::string_view fsPath);

}  // namespace cv
