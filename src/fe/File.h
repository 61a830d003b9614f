#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "fe/AtomicSave.h"
#include "fe/Failure.h"

namespace fe {

// The file family through which the program reads and writes every file.
//
// Encoding numbers of open(): 0 plain (UTF-8/ASCII, no byte-order mark written), 1 UTF-8 with a
// byte-order mark written at the start; 2 and 3 (UTF-16) are not supported and make open() fail.
// Readers skip a leading UTF-8 byte-order mark whatever the encoding number.
//
// Text files use Windows line ends: writers turn "\n" into CR LF, readers take CR LF or LF.
// Numbers are written and read in the C convention (decimal point) whatever the user's locale.
//
// Failures: opening never throws (the constructors leave the file closed, open() returns false);
// a failed binary write throws fe::Failure("File.writeBin"), a failed text write
// fe::Failure("File.writeLine"), a failed binary read fe::Failure("File.readBin"), a stored text
// longer than MaxTextUnits fe::Failure("FileRB.operator>>(Text):length error").
//
// Writers replace the file atomically (see fe::AtomicSave): nothing reaches the named file until
// close() returns true. A writer destroyed without a successful close() leaves the old file as it
// was, so after the last write a writer calls close() and reports failure when it returns false.
class File
{
public:
    // The longest text a binary text record may hold, in UTF-16 units, and the longest line
    // fe::FileR::readLine returns at once.
    static constexpr int MaxTextUnits = 7999;

    File() = default;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    virtual ~File() = default;

    // False without doing anything when a file is already open, or when the file cannot be opened.
    virtual bool open(const QString& fileName, int encoding = 0) = 0;
    virtual bool isOpen() const = 0;
    explicit operator bool() const { return isOpen(); }

    // Readers: closes the file. Writers: puts the written file in place (atomic replace).
    // False when nothing is open or the close fails; the file is closed either way.
    virtual bool close() = 0;

    // The C runtime mode text for a base mode and an encoding number ("r" + ",ccs=utf-8", ...).
    static QString makeMode(const QString& mode, int encoding);
};

// Text reader: reads a file line by line.
class FileR : public File
{
public:
    FileR() = default;
    explicit FileR(const QString& fileName) { open(fileName, 0); }
    ~FileR() override;

    bool open(const QString& fileName, int encoding = 0) override;
    bool isOpen() const override { return m_stream != nullptr; }
    bool close() override;

    // True once a read has met the end of the file. Callers test it before each line; the read
    // that meets the end gives an empty line.
    bool eof() const;

    // One line without its line end (LF or CR LF). A line longer than MaxTextUnits comes back in
    // pieces on successive calls. Empty at the end of the file.
    FileR& readLine(QString& line);
    // Read one line and take the number at its start ("12abc" gives 12). When the line does not
    // start with a number (or the number does not fit), the variable keeps its value; the line
    // is consumed either way.
    FileR& readInt(int& value);
    FileR& readUInt(unsigned& value);
    FileR& readDouble(double& value);
    // The same, telling whether a number was read: false when the line does not start with a
    // number that fits, and at the end of the file. Readers of files that must hold every value
    // use these to refuse a damaged file instead of keeping stale values.
    bool tryReadInt(int& value);
    bool tryReadUInt(unsigned& value);
    bool tryReadDouble(double& value);

private:
    int getByte();
    void ungetByte(int c);

    std::FILE* m_stream = nullptr;
    QByteArray m_back;  // bytes read ahead and given back, last one first
};

// Text writer. Encoding 1 starts the file with a UTF-8 byte-order mark.
class FileW : public File
{
public:
    FileW() = default;
    ~FileW() override;

    bool open(const QString& fileName, int encoding = 0) override;
    // The same as open(): every text file is written with Windows line ends.
    bool openText(const QString& fileName, int encoding = 0) { return open(fileName, encoding); }
    bool isOpen() const override { return m_save.isOpen(); }
    bool close() override;

    // Writes the text as it is, each "\n" as CR LF; nothing is added at the end.
    FileW& writeLine(const QString& text);
    // "%d" and "%lf" (six decimals), without a line end.
    FileW& writeInt(int value);
    FileW& writeDouble(double value);
    // Writes bytes already encoded by the caller (for example CP932), each "\n" as CR LF.
    FileW& writeBytes(const QByteArray& bytes);
    // Goes back to the start of the text (after the byte-order mark) and drops what was written,
    // for writers that write the whole file a second time.
    FileW& rewind();

private:
    AtomicSave m_save;
    qint64 m_start = 0;
};

// Binary record reader: little-endian primitives.
class FileRB : public File
{
public:
    FileRB() = default;
    explicit FileRB(const QString& fileName) { open(fileName, 0); }
    ~FileRB() override;

    bool open(const QString& fileName, int encoding = 0) override;
    bool isOpen() const override { return m_stream != nullptr; }
    bool close() override;

    FileRB& readBinInt32(std::int32_t& value);
    FileRB& readBinByte(std::uint8_t& value);
    FileRB& readBinDouble(double& value);
    // A text record: uint32 count of UTF-16 units, then the units. The text ends at the first
    // NUL unit; the whole record is consumed either way.
    FileRB& operator>>(QString& text);

private:
    void readExactly(void* data, size_t size);

    std::FILE* m_stream = nullptr;
};

// Binary record writer: little-endian primitives, replaced atomically by close(). The records are
// gathered in memory and reach the disk in one write at close(), so a disk that fails shows there.
class FileWB : public File
{
public:
    FileWB() = default;
    explicit FileWB(const QString& fileName) { open(fileName, 0); }
    ~FileWB() override;

    bool open(const QString& fileName, int encoding = 0) override;
    bool isOpen() const override { return m_save.isOpen(); }
    bool close() override;

    FileWB& writeBinInt32(std::int32_t value);
    FileWB& writeBinByte(std::uint8_t value);
    FileWB& writeBinDouble(double value);
    // A text record. A text longer than MaxTextUnits is refused (throws "File.writeBin") before
    // anything of it is written, because no reader would take it back.
    FileWB& writeBinText(const QString& text);
    FileWB& operator<<(const QString& text) { return writeBinText(text); }

private:

    // Room for size more bytes at the end of the file; the caller fills it. The whole file is
    // built in memory and written once by close(), so a field costs a copy, not a system call.
    unsigned char* grow(size_t size)
    {
        if (m_capacity - m_used < size)
            reserveMore(size);
        unsigned char* at = m_buffer.get() + m_used;
        m_used += size;
        return at;
    }
    // Doubles the buffer (throws "File.writeBin" when no file is open).
    void reserveMore(size_t size);

    AtomicSave m_save;
    std::unique_ptr<unsigned char[]> m_buffer;  // what was written since open(): its first m_used bytes
    size_t m_capacity = 0;
    size_t m_used = 0;
};

}  // namespace fe
