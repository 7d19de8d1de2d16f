#pragma once

#include <QFile>
#include <QString>

#include <filesystem>

// A file name chosen in a dialog as the path the core reads and writes.
inline std::filesystem::path toFilesystemPath(const QString& name)
{
    return std::filesystem::path(QFile::encodeName(name).toStdString());
}
