#include "problem/AtomicFile.h"

#include <cerrno>
#include <chrono>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace problem {

namespace {

// Writes are gathered so that a report of a million short lines costs few system calls.
constexpr std::size_t bufferSize = 64 * 1024;
constexpr int namingAttempts = 100;

// Writing goes to the file a symbolic link names, as writing in place always did.
std::filesystem::path followLinks(const std::filesystem::path& target)
{
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(target, error);
    return error ? target : resolved;
}

std::string hexadecimal(std::uint32_t number)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::string text(8, '0');
    for (char& digit : text) {
        digit = digits[number >> 28];
        number <<= 4;
    }
    return text;
}

} // namespace

AtomicFile::AtomicFile(const std::filesystem::path& target)
    : m_target(target), m_finalPath(followLinks(target))
{
    m_buffer.reserve(bufferSize);
    struct stat status {};
    if (::stat(m_finalPath.c_str(), &status) != 0) {
        createTemporary();
    } else if (S_ISDIR(status.st_mode)) {
        fail(EISDIR);
    } else if (S_ISREG(status.st_mode)) {
        createTemporary();
        // The replacement keeps the permissions of the file it replaces; where they cannot be
        // set, the new file keeps the default ones.
        if (m_descriptor >= 0)
            static_cast<void>(::fchmod(m_descriptor, status.st_mode & 07777));
    } else {
        m_descriptor = ::open(m_finalPath.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (m_descriptor < 0)
            fail(errno);
    }
}

AtomicFile::~AtomicFile()
{
    closeAndRemoveTemporary();
}

void AtomicFile::createTemporary()
{
    const auto seed = std::chrono::steady_clock::now().time_since_epoch().count();
    std::minstd_rand generator(static_cast<std::uint32_t>(seed) ^
                               static_cast<std::uint32_t>(::getpid()));
    // Hidden beside the target: ".name.<random>.tmp".
    std::string prefix = m_finalPath.filename().string();
    prefix.insert(prefix.begin(), '.');
    prefix += '.';
    for (int attempt = 0; attempt < namingAttempts; ++attempt) {
        std::filesystem::path name =
            m_finalPath.parent_path() / (prefix + hexadecimal(generator()) + ".tmp");
        m_descriptor = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_descriptor >= 0) {
            // Nothing may allocate, and so throw, between creating the file and recording it.
            m_temporary = std::move(name);
            return;
        }
        if (errno != EEXIST) {
            fail(errno);
            return;
        }
    }
    fail(EEXIST);
}

void AtomicFile::write(std::string_view bytes)
{
    if (m_error != 0)
        return;
    if (m_buffer.size() + bytes.size() > bufferSize) {
        flushBuffer();
        if (bytes.size() >= bufferSize) {
            writeOut(bytes);
            return;
        }
    }
    m_buffer.append(bytes);
}

void AtomicFile::writeOut(std::string_view bytes)
{
    while (!bytes.empty() && m_error == 0) {
        const ssize_t written = ::write(m_descriptor, bytes.data(), bytes.size());
        if (written > 0)
            bytes.remove_prefix(static_cast<std::size_t>(written));
        else if (written == 0)
            fail(EIO);
        else if (errno != EINTR)
            fail(errno);
    }
}

void AtomicFile::flushBuffer()
{
    writeOut(m_buffer);
    m_buffer.clear();
}

void AtomicFile::fail(int error)
{
    if (m_error == 0)
        m_error = error;
}

std::expected<void, std::string> AtomicFile::commit()
{
    if (m_error == 0)
        flushBuffer();
    // Only the replacement is synced: a device or pipe may not support it.
    if (m_error == 0 && !m_temporary.empty() && ::fsync(m_descriptor) != 0)
        fail(errno);
    if (m_descriptor >= 0) {
        if (::close(m_descriptor) != 0)
            fail(errno);
        m_descriptor = -1;
    }
    if (m_error == 0 && !m_temporary.empty()) {
        if (::rename(m_temporary.c_str(), m_finalPath.c_str()) == 0)
            m_temporary.clear();
        else
            fail(errno);
    }
    if (m_error == 0)
        return {};
    closeAndRemoveTemporary();
    return std::unexpected("Não foi possível gravar o arquivo \"" + m_target.string() +
                           "\": " + std::generic_category().message(m_error) + ".");
}

void AtomicFile::closeAndRemoveTemporary()
{
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
        m_descriptor = -1;
    }
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
    }
}

std::expected<void, std::string> writeFileAtomically(const std::filesystem::path& path,
                                                     std::string_view bytes)
{
    AtomicFile file(path);
    file.write(bytes);
    return file.commit();
}

} // namespace problem
