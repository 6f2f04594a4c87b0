// ProvisionFonts on real files under Wine. Run through with-drive-d, which points drive d:
// at an empty folder of the test (suites FontProvisioning*), takes it away (NoDriveD), or
// lets files grow no larger than a few kibibytes (FullDisk).
#include "app/constants.h"
#include "keyboard/constants.h"
#include "app/font_provisioning.h"
#include "resources/carried_font.h"
#include "toolkit/platform/files.h"
#include "toolkit/graphics/fonts.h"
#include "toolkit/lifecycle/lifecycle.h"

#include "toolkit/platform/win32_handles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace wexa {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

const fs::path DriveD = L"d:\\";
const fs::path FontFolder = L"d:\\kelvast6";
const fs::path FontFile = std::wstring(std::begin(FontFilePath), std::end(FontFilePath) - 1);

bool DriveDExists() {
    return GetDriveTypeW(L"d:\\") > DRIVE_NO_ROOT_DIR;
}

Bytes Carried() {
    std::span<const unsigned char> font = CarriedFontData();
    return Bytes(font.begin(), font.end());
}

Bytes ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

FILETIME LastWriteTime(const fs::path& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

// Moves the file's modification time far into the past, so that any rewrite shows.
FILETIME AgeFile(const fs::path& path) {
    SYSTEMTIME past{2001, 1, 1, 1, 12, 0, 0, 0};
    FILETIME time;
    SystemTimeToFileTime(&past, &time);
    win32::UniqueFile file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    SetFileTime(file.get(), nullptr, nullptr, &time);
    return time;
}

bool SameTime(FILETIME a, FILETIME b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

// What drive d:'s root holds, as the platform lists it: the library cannot read a drive root here.
std::vector<fs::path> EntriesOfDriveD() {
    std::vector<fs::path> entries;
    WIN32_FIND_DATAW data;
    win32::UniqueFind found(FindFirstFileW(L"d:\\*", &data));
    if (!found)
        return entries;
    do {
        std::wstring name = data.cFileName;
        if (name != L"." && name != L"..")
            entries.push_back(DriveD / name);
    } while (FindNextFileW(found.get(), &data));
    return entries;
}

bool HasFont(int number) {
    return !IsNull(FontHandleOf(number));
}

// The face the platform really draws a Toolkit font in.
std::wstring DrawnFace(int number) {
    win32::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    win32::SelectedObject selected(dc.get(), reinterpret_cast<HFONT>(FontHandleOf(number)));
    wchar_t face[LF_FACESIZE] = L"";
    GetTextFaceW(dc.get(), LF_FACESIZE, face);
    return face;
}

// Wherever the file could not give it, the three fonts are there all the same, the signs'
// two in the Vevoviv face itself (registered from the program's own bytes).
void ExpectAllThreeFontsInTheirFaces() {
    EXPECT_TRUE(HasFont(LabelFont));
    for (int number : {GlyphFont, LineFont}) {
        ASSERT_TRUE(HasFont(number)) << number;
        EXPECT_EQ(DrawnFace(number), L"Vevoviv") << number;
    }
}

// The program's first two start-up steps; the Toolkit is shut down again by the destructor.
class ProvisionedStart {
public:
    ProvisionedStart() {
        InitToolkit();
        ProvisionFonts();
    }
    ProvisionedStart(const ProvisionedStart&) = delete;
    ProvisionedStart& operator=(const ProvisionedStart&) = delete;
    ~ProvisionedStart() { ShutDownToolkit(); }
};

class FontProvisioning : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(DriveDExists()) << "run through tests/wine/with-drive-d, which maps drive d:";
        EmptyDriveD();
    }
    void TearDown() override { EmptyDriveD(); }

    static void EmptyDriveD() {
        for (const fs::path& entry : EntriesOfDriveD())
            fs::remove_all(entry);
    }
};

TEST_F(FontProvisioning, FirstStartWritesExactlyTheCarriedBytesAndLoadsAllThreeFonts) {
    fs::create_directory(FontFolder);
    ProvisionedStart start;
    EXPECT_EQ(ReadBytes(FontFile), Carried());
    EXPECT_EQ(QueryFileSize(FontFilePath), static_cast<std::int64_t>(CarriedFontData().size()));
    EXPECT_TRUE(HasFont(GlyphFont)); // loaded only when the file was registered
    EXPECT_TRUE(HasFont(LabelFont));
    EXPECT_TRUE(HasFont(LineFont));
}

TEST_F(FontProvisioning, SecondStartLeavesTheFileAsItIsAndLoadsAllThreeFonts) {
    fs::create_directory(FontFolder);
    { ProvisionedStart first; }
    FILETIME aged = AgeFile(FontFile);
    ProvisionedStart second;
    EXPECT_EQ(ReadBytes(FontFile), Carried());
    EXPECT_TRUE(SameTime(LastWriteTime(FontFile), aged));
    EXPECT_TRUE(HasFont(GlyphFont));
    EXPECT_TRUE(HasFont(LabelFont));
    EXPECT_TRUE(HasFont(LineFont));
}

TEST_F(FontProvisioning, MissingFolderIsNotMadeAndTheFontsComeFromTheProgramsOwnBytes) {
    ProvisionedStart start;
    EXPECT_FALSE(fs::exists(FontFolder));
    EXPECT_TRUE(EntriesOfDriveD().empty());
    ExpectAllThreeFontsInTheirFaces();
}

// Something that is not the font already at the path.
struct Occupant {
    const char* name;
    void (*make)();
};

void PrintTo(const Occupant& occupant, std::ostream* out) {
    *out << occupant.name;
}

class FontProvisioningOccupied : public FontProvisioning, public ::testing::WithParamInterface<Occupant> {};

// The carried font under another family name: a font the platform registers, but not Vevoviv.
void WriteOtherFamily() {
    std::string bytes(CarriedFontData().begin(), CarriedFontData().end());
    for (std::string name : {std::string("Vevoviv"), std::string("\0V\0e\0v\0o\0v\0i\0v", 14)}) {
        std::string other = name;
        other.back() = 'x';
        for (std::size_t at = 0; (at = bytes.find(name, at)) != std::string::npos; at += name.size())
            bytes.replace(at, name.size(), other);
    }
    WriteBytes(FontFile, bytes);
}

TEST_P(FontProvisioningOccupied, IsLeftAloneAndTheFontsComeFromTheProgramsOwnBytes) {
    fs::create_directory(FontFolder);
    GetParam().make();
    bool folder = fs::is_directory(FontFile);
    Bytes before = folder ? Bytes() : ReadBytes(FontFile);
    FILETIME aged = folder ? FILETIME{} : AgeFile(FontFile);
    ProvisionedStart start;
    if (folder) {
        EXPECT_EQ(QueryFileSize(FontFilePath), FolderAtPath);
        EXPECT_TRUE(fs::is_empty(FontFile));
    } else {
        EXPECT_EQ(ReadBytes(FontFile), before);
        EXPECT_TRUE(SameTime(LastWriteTime(FontFile), aged));
    }
    ExpectAllThreeFontsInTheirFaces();
}

INSTANTIATE_TEST_SUITE_P(
    Occupants, FontProvisioningOccupied,
    ::testing::Values(Occupant{"EmptyFile", [] { WriteBytes(FontFile, ""); }},
                      Occupant{"ForeignFile", [] { WriteBytes(FontFile, "Kein Zeichensatz, nur ein Brief.\r\n"); }},
                      Occupant{"Folder", [] { fs::create_directory(FontFile); }},
                      Occupant{"OtherFontFamily", WriteOtherFamily}),
    [](const ::testing::TestParamInfo<Occupant>& param) { return std::string(param.param.name); });

TEST(NoDriveD, NothingIsMadeAndTheFontsComeFromTheProgramsOwnBytes) {
    if (DriveDExists())
        GTEST_SKIP() << "drive d: exists; ctest runs this through with-drive-d none, on Debian 12 and 13";
    ProvisionedStart start;
    EXPECT_EQ(QueryFileSize(FontFilePath), NothingAtPath);
    EXPECT_EQ(QueryFileSize(u"d:"), NothingAtPath);
    EXPECT_FALSE(DriveDExists());
    ExpectAllThreeFontsInTheirFaces();
}

// The most bytes a file may have in this run, or 0 when there is no limit.
std::size_t FileSizeLimit() {
    const char* kib = std::getenv("WEXA_FILE_SIZE_LIMIT_KIB");
    return kib ? std::strtoul(kib, nullptr, 10) * 1024 : 0;
}

class FullDisk : public FontProvisioning {
protected:
    void SetUp() override {
        if (!FileSizeLimit())
            GTEST_SKIP() << "no file size limit; ctest runs this through with-drive-d --file-size-limit, "
                            "on Debian 12 and 13";
        ASSERT_LT(FileSizeLimit(), CarriedFontData().size()) << "the limit must stop the font part-way";
        FontProvisioning::SetUp();
    }
};

TEST_F(FullDisk, AFontWriteThatStopsEarlyLeavesNoFileForTheNextStart) {
    fs::create_directory(FontFolder);
    ProvisionedStart start;
    EXPECT_EQ(QueryFileSize(FontFilePath), NothingAtPath); // so the next start writes it again
    EXPECT_TRUE(fs::is_directory(FontFolder));
    ExpectAllThreeFontsInTheirFaces();
}

} // namespace
} // namespace wexa
