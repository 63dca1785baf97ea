#include "gamedata/ByteReader.h"

#include <cstring>

#include <sys/stat.h>
#include <sys/types.h>

namespace {

bool SeekTo(std::FILE* file, std::uint64_t offset)
{
    if (offset > std::uint64_t(INT64_MAX))
        return false;
#ifdef _WIN32
    return _fseeki64(file, static_cast<__int64>(offset), SEEK_SET) == 0;
#else
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

bool SizeOf(std::FILE* file, std::uint64_t& size)
{
#ifdef _WIN32
    struct _stat64 status;
    if (_fstat64(_fileno(file), &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG || status.st_size < 0)
        return false;
#else
    struct stat status;
    if (fstat(fileno(file), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < 0)
        return false;
#endif
    size = static_cast<std::uint64_t>(status.st_size);
    return true;
}

}  // namespace

std::unique_ptr<TFileReader> TFileReader::Open(const TNativePath& path)
{
#ifdef _WIN32
    std::FILE* file = _wfopen(path.c_str(), L"rb");
#else
    std::FILE* file = std::fopen(path.c_str(), "rb");
#endif
    if (!file)
        return nullptr;
    std::uint64_t size = 0;
    if (std::setvbuf(file, nullptr, _IONBF, 0) != 0 || !SizeOf(file, size)) {
        std::fclose(file);
        return nullptr;
    }
    return std::unique_ptr<TFileReader>(new TFileReader(file, size));
}

TFileReader::~TFileReader() { std::fclose(file_); }

bool TFileReader::ReadAt(std::uint64_t offset, void* into, std::size_t size)
{
    if (offset > size_ || size > size_ - offset)
        return false;
    if (offset != position_) {
        if (!SeekTo(file_, offset)) {
            position_ = UINT64_MAX;  // unknown: the next read seeks again
            return false;
        }
        position_ = offset;
    }
    const std::size_t got = std::fread(into, 1, size, file_);
    position_ += got;
    if (got == size)
        return true;
    std::clearerr(file_);
    return false;
}

bool TMemoryReader::ReadAt(std::uint64_t offset, void* into, std::size_t size)
{
    if (offset > bytes_.size() || size > bytes_.size() - offset)
        return false;
    if (size)
        std::memcpy(into, bytes_.data() + offset, size);
    return true;
}
