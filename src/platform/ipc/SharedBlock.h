#pragma once
// A named block of memory shared between processes (the launcher and the player).
// POSIX shared memory here, a named file mapping on Windows. Names are given without the
// leading "/" that POSIX wants; it is added inside.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TSharedBlock {
public:
    TSharedBlock() = default;
    ~TSharedBlock();
    TSharedBlock(const TSharedBlock&) = delete;
    TSharedBlock& operator=(const TSharedBlock&) = delete;
    TSharedBlock(TSharedBlock&& other) noexcept;
    TSharedBlock& operator=(TSharedBlock&& other) noexcept;

    // Opens an existing block and maps all of it for reading and writing. False when there is
    // no such block or it cannot be mapped.
    bool Open(const std::string& name);

    // Creates the block (or takes over an existing one of that name), sized to size bytes and
    // zero-filled, and maps it for reading and writing.
    bool Create(const std::string& name, std::size_t size);

    // Creates the block only when no block of that name exists: false when one does.
    bool CreateNew(const std::string& name, std::size_t size);

    // Unmaps the view and closes the handle; the block itself lives on until unlinked (or, on
    // Windows, until its last handle closes).
    void Close();

    bool IsOpen() const { return m_pView != nullptr || m_bOpenEmpty; }
    std::size_t Size() const { return m_uSize; }

    // Up to count bytes from offset; fewer when the block ends first, none past its end.
    std::vector<uint8_t> ReadBytes(std::size_t offset, std::size_t count) const;

    // Writes count bytes at offset. Nothing is written, and false returned, when the bytes would
    // not fit entirely inside the block.
    bool WriteBytes(std::size_t offset, const void* data, std::size_t count);

    // Removes the name so that later opens fail (a no-op on Windows, where the mapping ends
    // with its last handle). False when there was no such block.
    static bool Unlink(const std::string& name);

private:
    bool MapView(bool create, std::size_t size);
    bool CreateBlock(const std::string& name, std::size_t size, bool exclusive);

    uint8_t* m_pView = nullptr;
    std::size_t m_uSize = 0;
    bool m_bOpenEmpty = false;     // an existing block of size 0: open, nothing to map
#ifdef _WIN32
    void* m_hMapping = nullptr;
#else
    int m_nFd = -1;
#endif
};
