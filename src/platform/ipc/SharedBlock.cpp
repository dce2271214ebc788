#include "platform/ipc/SharedBlock.h"

#include "platform/ipc/IpcName.h"

#include <cstring>
#include <utility>

#ifndef _WIN32
#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

TSharedBlock::~TSharedBlock()
{
    Close();
}

TSharedBlock::TSharedBlock(TSharedBlock&& other) noexcept
{
    *this = std::move(other);
}

TSharedBlock& TSharedBlock::operator=(TSharedBlock&& other) noexcept
{
    if (this != &other) {
        Close();
        m_pView = std::exchange(other.m_pView, nullptr);
        m_uSize = std::exchange(other.m_uSize, 0);
        m_bOpenEmpty = std::exchange(other.m_bOpenEmpty, false);
#ifdef _WIN32
        m_hMapping = std::exchange(other.m_hMapping, nullptr);
#else
        m_nFd = std::exchange(other.m_nFd, -1);
#endif
    }
    return *this;
}

bool TSharedBlock::Create(const std::string& name, std::size_t size)
{
    return CreateBlock(name, size, false);
}

bool TSharedBlock::CreateNew(const std::string& name, std::size_t size)
{
    return CreateBlock(name, size, true);
}

std::vector<uint8_t> TSharedBlock::ReadBytes(std::size_t offset, std::size_t count) const
{
    if (m_pView == nullptr || offset >= m_uSize) {
        return {};
    }
    const std::size_t available = m_uSize - offset;
    const std::size_t n = count < available ? count : available;
    return std::vector<uint8_t>(m_pView + offset, m_pView + offset + n);
}

bool TSharedBlock::WriteBytes(std::size_t offset, const void* data, std::size_t count)
{
    if (!IsOpen() || offset > m_uSize || count > m_uSize - offset) {
        return false;
    }
    if (count > 0) {
        std::memcpy(m_pView + offset, data, count);
    }
    return true;
}

#ifdef _WIN32

bool TSharedBlock::Open(const std::string& name)
{
    Close();
    m_hMapping = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, IpcName(name).c_str());
    return m_hMapping != nullptr && MapView(false, 0);
}

bool TSharedBlock::CreateBlock(const std::string& name, std::size_t size, bool exclusive)
{
    Close();
    const unsigned long long size64 = size;
    m_hMapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, static_cast<DWORD>(size64 >> 32),
                                    static_cast<DWORD>(size64 & 0xFFFFFFFFu), IpcName(name).c_str());
    if (m_hMapping != nullptr && exclusive && GetLastError() == ERROR_ALREADY_EXISTS) {
        Close();
        return false;
    }
    return m_hMapping != nullptr && MapView(true, size);
}

bool TSharedBlock::MapView(bool create, std::size_t size)
{
    void* view = MapViewOfFile(m_hMapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    if (view == nullptr) {
        Close();
        return false;
    }
    MEMORY_BASIC_INFORMATION info{};
    VirtualQuery(view, &info, sizeof(info));
    m_pView = static_cast<uint8_t*>(view);
    // A view covers whole pages: the block's own size is what the creator asked for.
    m_uSize = create ? size : info.RegionSize;
    if (create) {
        std::memset(m_pView, 0, m_uSize);
    }
    return true;
}

void TSharedBlock::Close()
{
    if (m_pView != nullptr) {
        UnmapViewOfFile(m_pView);
    }
    if (m_hMapping != nullptr) {
        CloseHandle(m_hMapping);
    }
    m_pView = nullptr;
    m_hMapping = nullptr;
    m_uSize = 0;
    m_bOpenEmpty = false;
}

bool TSharedBlock::Unlink(const std::string&)
{
    return true;
}

#else

bool TSharedBlock::Open(const std::string& name)
{
    Close();
    m_nFd = shm_open(IpcName(name).c_str(), O_RDWR, 0);
    return m_nFd >= 0 && MapView(false, 0);
}

bool TSharedBlock::CreateBlock(const std::string& name, std::size_t size, bool exclusive)
{
    Close();
    m_nFd = shm_open(IpcName(name).c_str(), O_RDWR | O_CREAT | (exclusive ? O_EXCL : 0), 0600);
    if (m_nFd < 0) {
        return false;
    }
    if (ftruncate(m_nFd, static_cast<off_t>(size)) != 0) {
        Close();
        return false;
    }
    return MapView(true, size);
}

bool TSharedBlock::MapView(bool create, std::size_t size)
{
    if (!create) {
        struct stat info {};
        if (fstat(m_nFd, &info) != 0 || info.st_size < 0) {
            Close();
            return false;
        }
        size = static_cast<std::size_t>(info.st_size);
    }
    if (size == 0) {
        m_bOpenEmpty = true;
        return true;
    }
    void* view = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, m_nFd, 0);
    if (view == MAP_FAILED) {
        Close();
        return false;
    }
    m_pView = static_cast<uint8_t*>(view);
    m_uSize = size;
    if (create) {
        std::memset(m_pView, 0, m_uSize);
    }
    return true;
}

void TSharedBlock::Close()
{
    if (m_pView != nullptr) {
        munmap(m_pView, m_uSize);
    }
    if (m_nFd >= 0) {
        close(m_nFd);
    }
    m_pView = nullptr;
    m_nFd = -1;
    m_uSize = 0;
    m_bOpenEmpty = false;
}

bool TSharedBlock::Unlink(const std::string& name)
{
    return shm_unlink(IpcName(name).c_str()) == 0;
}

#endif
