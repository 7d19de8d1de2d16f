#include "shell/LibraryTexts.h"

#include <system_error>

namespace shell {

std::vector<std::filesystem::path> libraryTextFolders(const std::filesystem::path& programFolder)
{
    // The installed program lies in bin/, its texts in share/quadrix/ of the same prefix.
    const std::filesystem::path installed =
        (programFolder / QUADRIX_LIBRARY_TEXTS_FROM_PROGRAM).lexically_normal();
    return {programFolder, installed};
}

std::filesystem::path findLibraryText(const std::filesystem::path& programFolder,
                                      std::string_view fileName)
{
    for (const std::filesystem::path& folder : libraryTextFolders(programFolder)) {
        const std::filesystem::path candidate = folder / fileName;
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error))
            return candidate;
    }
    return {};
}

} // namespace shell
