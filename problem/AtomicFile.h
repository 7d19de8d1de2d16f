#pragma once

#include <expected>
#include <filesystem>
#include <string>
#include <string_view>

namespace problem {

// A file written whole or not at all. The bytes go to a temporary file in the target's folder,
// which replaces the target only once everything was written and flushed without error; until
// then, and after any failure, the target keeps what it held. A target that exists and is no
// regular file (a device, a pipe) is written in place: there is nothing there to keep.
class AtomicFile {
public:
    explicit AtomicFile(const std::filesystem::path& target);
    // Removes the temporary file unless commit replaced the target with it.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Appends bytes; the first failure is kept for commit, and later writes are dropped.
    void write(std::string_view bytes);

    // Flushes, syncs and puts the file in place; the message names the target and the cause.
    std::expected<void, std::string> commit();

private:
    void createTemporary();
    void writeOut(std::string_view bytes);
    void flushBuffer();
    void fail(int error);
    void closeAndRemoveTemporary();

    std::filesystem::path m_target;    // the name as given, for messages
    std::filesystem::path m_finalPath; // what it names once symbolic links are followed
    std::filesystem::path m_temporary; // empty when written in place
    std::string m_buffer;
    int m_descriptor = -1;
    int m_error = 0;
    bool m_committed = false;
};

// Writes bytes as the whole new content of a file, as AtomicFile does.
std::expected<void, std::string> writeFileAtomically(const std::filesystem::path& path,
                                                     std::string_view bytes);

} // namespace problem
