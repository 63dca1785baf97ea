#pragma once
// Bytes read at an offset, from a file or from memory: what the archive reader
// reads through. Plain C file reads, so no stream or locale code comes along.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <vector>

#include "gamedata/Folder.h"

class IByteReader {
public:
    virtual ~IByteReader() = default;
    // Reads exactly size bytes at offset; false when that many cannot be read.
    virtual bool ReadAt(std::uint64_t offset, void* into, std::size_t size) = 0;
    virtual std::uint64_t Size() const = 0;
};

// A file opened for reading; owns its FILE*. Unbuffered: callers read in blocks.
class TFileReader final : public IByteReader {
public:
    // Null when the file cannot be opened or is not a regular file.
    static std::unique_ptr<TFileReader> Open(const TNativePath& path);
    ~TFileReader() override;
    TFileReader(const TFileReader&) = delete;
    TFileReader& operator=(const TFileReader&) = delete;

    bool ReadAt(std::uint64_t offset, void* into, std::size_t size) override;
    std::uint64_t Size() const override { return size_; }

private:
    TFileReader(std::FILE* file, std::uint64_t size) : file_(file), size_(size) {}

    std::FILE* file_;
    std::uint64_t size_;
    std::uint64_t position_ = 0;
};

// A copy of some bytes (tests and fuzzing read archives from memory).
class TMemoryReader final : public IByteReader {
public:
    explicit TMemoryReader(std::span<const std::uint8_t> bytes) : bytes_(bytes.begin(), bytes.end()) {}

    bool ReadAt(std::uint64_t offset, void* into, std::size_t size) override;
    std::uint64_t Size() const override { return bytes_.size(); }

private:
    std::vector<std::uint8_t> bytes_;
};
