#include <gtest/gtest.h>
#include <sys/stat.h>

#include "settings.h"
#include "sjis.h"
#include "testutil.h"
#include "verror.h"
#include "fileutil.h"

TEST(IniFile, DefaultsWhenFileSectionOrKeyMissing) {
    TempDir d;
    IniFile ini(d.File("Velmo.ini"));
    EXPECT_EQ(ini.ReadString("DATABASE", "PATH", ""), "");
    EXPECT_EQ(ini.ReadInteger("PREFORM", "MLIST1W", 250), 250);
    EXPECT_TRUE(ini.ReadCheck("PREFORM", "CHKS_SET"));
    EXPECT_FALSE(FileExists(d.File("Velmo.ini")));
}

TEST(IniFile, WritesCp932AndKeepsUnknownLines) {
    TempDir d;
    std::string path = d.File("Velmo.ini");
    WriteText(path, "; comment kept\r\n[USER]\r\nfoo=bar\r\n[MASITEM]\r\nETCHI=" + ToSjis("ソ表") + "\r\n");
    IniFile ini(path);
    EXPECT_EQ(ini.ReadString("MASITEM", "ETCHI", ""), "ソ表");
    ini.WriteString("MASITEM", "YOBI1", "予備");
    ini.WriteString("DATABASE", "PATH", "/data/品目.mdb");
    ini.WriteInteger("masitem", "etchi", 5);  // names compare without case
    std::string bytes = ReadText(path);
    EXPECT_EQ(bytes,
              "; comment kept\r\n[USER]\r\nfoo=bar\r\n[MASITEM]\r\nETCHI=5\r\nYOBI1=" + ToSjis("予備") +
                  "\r\n\r\n[DATABASE]\r\nPATH=" + ToSjis("/data/品目.mdb") + "\r\n");
    EXPECT_EQ(ini.ReadString("DATABASE", "PATH", ""), "/data/品目.mdb");
}

TEST(IniFile, IntegersAndCheckBoxes) {
    TempDir d;
    std::string path = d.File("Velmo.ini");
    WriteText(path, "[PREFORM]\nA=12\nB=abc\nC= 7 \nD=\nCHKS_SET=1\nCHKS_BODY=\nCHKS_UNIT=0\nCHKS_PARTS=00\n");
    IniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("PREFORM", "A", 0), 12);
    EXPECT_EQ(ini.ReadInteger("PREFORM", "B", 3), 3);
    EXPECT_EQ(ini.ReadInteger("PREFORM", "C", 0), 7);
    EXPECT_EQ(ini.ReadInteger("PREFORM", "D", 4), 4);
    EXPECT_TRUE(ini.ReadCheck("PREFORM", "CHKS_SET"));
    EXPECT_TRUE(ini.ReadCheck("PREFORM", "CHKS_BODY"));
    EXPECT_TRUE(ini.ReadCheck("PREFORM", "CHKS_MISSING"));
    EXPECT_FALSE(ini.ReadCheck("PREFORM", "CHKS_UNIT"));
    EXPECT_TRUE(ini.ReadCheck("PREFORM", "CHKS_PARTS"));
}

TEST(IniFile, GarbageLinesAreIgnoredAndKept) {
    TempDir d;
    std::string path = d.File("Velmo.ini");
    std::string garbage = "\xFF\xFE garbage\r\n=novalue\r\n[broken\r\nkey without section=1\r\n";
    WriteText(path, garbage + "[MASITEM]\r\nETCHI=" + ToSjis("その他") + "\r\n");
    IniFile ini(path);
    EXPECT_EQ(ini.ReadString("MASITEM", "ETCHI", "x"), "その他");
    EXPECT_EQ(ini.ReadString("broken", "key without section", "d"), "d");
    ini.WriteString("MASITEM", "HINBAN", "外部");
    EXPECT_EQ(ini.ReadString("MASITEM", "HINBAN", ""), "外部");
    EXPECT_EQ(ReadText(path).substr(0, 4), "\xFF\xFE g");
}

TEST(IniFile, Utf8FileByMistakeReadsAsWritten) {
    TempDir d;
    std::string path = d.File("Velmo.ini");
    WriteText(path, "\xEF\xBB\xBF[MASITEM]\nETCHI=その他\n");
    IniFile ini(path);
    EXPECT_EQ(ini.ReadString("MASITEM", "ETCHI", "x"), "その他");
    ini.WriteString("MASITEM", "HINBAN", "外部");  // written back in CP932
    EXPECT_EQ(ini.ReadString("MASITEM", "ETCHI", ""), "その他");
    EXPECT_NE(ReadText(path).find(ToSjis("その他")), std::string::npos);
}

TEST(IniFile, UnwritableFileRaisesAndStaysUnchanged) {
    TempDir d;
    // A folder that cannot take a file, whoever runs the test: a full file
    // system stands in through the file-size limit.
    std::string path = d.File("Velmo.ini");
    WriteText(path, "[A]\nB=1\n");
    IniFile ini(path);
    {
        FileSizeLimit limit(4);
        EXPECT_THROW(ini.WriteString("A", "B", "2"), SettingsError);
    }
    EXPECT_EQ(ReadText(path), "[A]\nB=1\n");
    IniFile nowhere(d.File("Velmo.ini/sub/Velmo.ini"));  // parent is a file
    EXPECT_THROW(nowhere.WriteString("A", "B", "2"), SettingsError);
}

TEST(IniFile, WriteReplacesAtomicallyLeavingNoTemporaryFiles) {
    TempDir d;
    std::string path = d.File("Velmo.ini");
    IniFile ini(path);
    for (int i = 0; i < 20; ++i) ini.WriteInteger("PREFORM", "K" + std::to_string(i), i);
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(d.Path())) (void)e, ++files;
    EXPECT_EQ(files, 1);
    EXPECT_EQ(ini.ReadInteger("PREFORM", "K19", -1), 19);
}

TEST(SettingsPath, OverrideAndFallback) {
    SetSettingsPath("/tmp/x/Velmo.ini");
    EXPECT_EQ(SettingsPath(), "/tmp/x/Velmo.ini");
    SetSettingsPath("");
    std::string p = SettingsPath();
    EXPECT_NE(p.find("Velmo.ini"), std::string::npos);
}
