#pragma once

#include <QString>
#include <optional>

// The workstation's small text files (Server.Dat, ZaqVersion.Dat): only their
// first line counts, without its line ending.
namespace TextFiles {

// The first line, or nothing when the file cannot be opened.
std::optional<QString> firstLine(const QString& path);
// Creates or empties the file and writes one line; false (with the reason) when it cannot.
bool writeLine(const QString& path, const QString& line, QString* error = nullptr);

} // namespace TextFiles
