// Writing: the default file byte for byte, the writer's side of the format, the largest
// file, and saving over a file without ever losing the old one.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "common/cp1252.h"
#include "common/file_status.h"
#include "common/file_write_ops.h"
#include "full_capacity_set.h"
#include "par_test_support.h"
#include "parfile/par_file.h"

namespace qx {
namespace {

using test::SplitCrLf;
using test::TempDir;

const std::string kCreateError = "ERRO NA CRIA\xC7\xC3O DO ARQUIVO";

// The lines of a file that holds a given record type.
std::vector<std::string> LinesOf(const ParamSet& params, std::string_view type) {
  std::vector<std::string> lines;
  for (const std::string& line : SplitCrLf(FormatParFile(params))) {
    if (line.starts_with(type)) lines.push_back(line);
  }
  return lines;
}

std::string Expected546Lines() {
  std::string file;
  char line[32];
  for (int n = 1; n <= 16; ++n) {
    std::snprintf(line, sizeof line, "P0500|D%02d|0|0|1|1\r\n", n);
    file += line;
  }
  for (int n = 1; n <= 500; ++n) {
    std::snprintf(line, sizeof line, "P0100|P%03d|0|0|1|1\r\n", n);
    file += line;
  }
  file +=
      "P0030|0|1|2|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0\r\n"
      "P0040|1|1|R$|US$|0|1|1|1|1|1|1|0|1|1|0|0|0|1|1|0|0|1|1|0|0|0|1\r\n"
      "P0070|1|1|0|0\r\n"
      "P0070|2|1|0|0\r\n"
      "P0070|3|1|0|0\r\n"
      "P0070|4|0\r\n"
      "P0070|6|1\r\n"
      "P0070|7|1\r\n"
      "P0070|8|1\r\n"
      "P0090|1|\r\n"
      "P0090|2|\r\n"
      "P0090|3|\r\n"
      "P0090|4|\r\n"
      "P0090|5||\r\n"
      "P0090|6|\r\n"
      "P0090|7|\r\n"
      "P0090|8|\r\n"
      "P0090|9|\r\n"
      "P0080|1|\r\n"
      "P0080|2|\r\n"
      "P0080|3|\r\n"
      "P0080|4|\r\n"
      "P0080|5|\r\n"
      "P0080|6|\r\n"
      "P0080|7|\r\n"
      "P0080|8|\r\n"
      "P0700||||||\r\n"
      "P0750||||||\r\n"
      "P0810||||||||||\r\n"
      "P1600|\r\n";
  return file;
}

TEST(FormatParFileTest, TheDefaultSetIsThe546LineFile) {
  const std::string file = FormatParFile(ParamSet{});
  EXPECT_EQ(file, Expected546Lines());
  EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 546);
  EXPECT_EQ(std::count(file.begin(), file.end(), '\r'), 546);
  EXPECT_TRUE(file.ends_with("\r\n"));
}

TEST(FormatParFileTest, FlagsAreWrittenByTheirLowestBit) {
  ParamSet p;
  p.Department(1).status_negative_price = 'a';    // odd: set
  p.Department(1).status_single_item_sale = '|';  // even: not set
  p.Department(1).status_open_price = '\x02';
  p.Department(1).status_fixed_price = '\xFF';
  p.system_options.key_beep = '3';
  p.print_options.print_z_counter = '\x80';
  p.cash_key.lower_value_refused = 'u';
  EXPECT_EQ(LinesOf(p, "P0500|D01")[0], "P0500|D01|1|0|0|1");
  EXPECT_EQ(LinesOf(p, "P0030")[0], "P0030|1|1|2|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0");
  EXPECT_TRUE(LinesOf(p, "P0040")[0].starts_with("P0040|0|1|R$|"));
  EXPECT_EQ(LinesOf(p, "P0070|1")[0], "P0070|1|1|1|0");
}

TEST(FormatParFileTest, AStatusHoldingANulFlagIsLeftOut) {
  ParamSet p;
  p.Department(2).status_fixed_price = '\0';
  p.Product(42).status_negative_price = '\0';
  EXPECT_EQ(LinesOf(p, "P0500").size(), 15u);
  EXPECT_TRUE(LinesOf(p, "P0500|D02").empty());
  EXPECT_EQ(LinesOf(p, "P0100").size(), 499u);
  EXPECT_TRUE(LinesOf(p, "P0100|P042").empty());
}

TEST(FormatParFileTest, PricesLoseTheirLeadingZeros) {
  ParamSet p;
  p.Department(3).price = "0001250";
  p.Department(4).price = "0000000";
  p.Department(5).price = "0";
  p.Department(6).price = " 12";
  p.Product(1).price = "150";
  p.Product(2).price = "000150";
  EXPECT_EQ(LinesOf(p, "P0520"), (std::vector<std::string>{"P0520|D03|1250", "P0520|D04|0",
                                                           "P0520|D05|0", "P0520|D06|12"}));
  EXPECT_EQ(LinesOf(p, "P0200"), (std::vector<std::string>{"P0200|P001|150", "P0200|P002|150"}));
}

TEST(FormatParFileTest, OptionalRecordsComeInTheirOrderOnlyWhenFilled) {
  ParamSet p;
  p.Department(16).name = "LATIC\xCDNIOS";
  p.Department(2).name = "PADARIA";
  p.Department(2).price = "990";
  p.Product(42).dept_code = "7";
  p.Product(42).name = "P\xC3O";
  p.Product(7).price = "5";
  const std::vector<std::string> lines = SplitCrLf(FormatParFile(p));
  ASSERT_EQ(lines.size(), 546u + 6);
  EXPECT_EQ(lines[15], "P0500|D16|0|0|1|1");
  EXPECT_EQ(lines[16], "P0520|D02|990");
  EXPECT_EQ(lines[17], "P0530|D02|PADARIA");
  EXPECT_EQ(lines[18], "P0530|D16|LATIC\xCDNIOS");
  EXPECT_EQ(lines[19], "P0100|P001|0|0|1|1");
  EXPECT_EQ(lines[518], "P0100|P500|0|0|1|1");
  EXPECT_EQ(lines[519], "P0200|P007|5");
  EXPECT_EQ(lines[520], "P0300|P042|P\xC3O");
  EXPECT_EQ(lines[521], "P0350|P042|7");
  EXPECT_EQ(lines[522], "P0030|0|1|2|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0");
}

TEST(FormatParFileTest, TheReservedTextIsAttachedToTheLastOption) {
  ParamSet p;
  p.system_options.system_reserved = "XYZ";
  p.system_options.rounding = '1';
  p.system_options.date_format = '3';
  EXPECT_EQ(LinesOf(p, "P0030")[0], "P0030|0|3|2|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|1XYZ");
}

TEST(FormatParFileTest, CharacterFieldsAreWrittenAsStoredButNeverAsNul) {
  ParamSet p;
  p.system_options.date_format = '|';
  p.system_options.decimal_places = '\0';  // a NUL byte would end the reading of the file
  EXPECT_EQ(LinesOf(p, "P0030")[0], "P0030|0|||0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0");
}

TEST(FormatParFileTest, FunctionKeysInTheirRecords) {
  ParamSet p;
  p.cheque_key.limit = "50000";
  p.void_receipt_key.limit = "1000";
  p.currency_key.exchange_rate = "0625";
  p.currency_key.rate_decimals = "3";
  p.currency_key.name = "D\xD3LAR";
  p.discount_pct_key.percent = "10000";
  p.discount_value_key.value = "150";
  p.surcharge_pct_key.percent = "05000";
  p.void_item_key.limit = "999";
  p.card_key.name = "CART\xC3O";
  p.void_receipt_key.disabled = '1';
  p.discount_value_key.open = '0';
  EXPECT_EQ(LinesOf(p, "P0070"),
            (std::vector<std::string>{"P0070|1|1|0|0", "P0070|2|1|0|0", "P0070|3|1|0|0",
                                      "P0070|4|1", "P0070|6|1", "P0070|7|0", "P0070|8|1"}));
  EXPECT_EQ(LinesOf(p, "P0090"),
            (std::vector<std::string>{"P0090|1|", "P0090|2|50000", "P0090|3|", "P0090|4|1000",
                                      "P0090|5|0625|3", "P0090|6|10000", "P0090|7|150",
                                      "P0090|8|05000", "P0090|9|999"}));
  EXPECT_EQ(LinesOf(p, "P0080")[2], "P0080|3|CART\xC3O");
  EXPECT_EQ(LinesOf(p, "P0080")[4], "P0080|5|D\xD3LAR");
}

TEST(FormatParFileTest, ReceiptLinesOperatorsAndRegisterNumberKeepTheirPlaces) {
  ParamSet p;
  p.header_lines[0] = "PADARIA S\xC3O JO\xC3O";
  p.header_lines[2] = "RUA DAS FLORES";
  p.footer_lines[5] = "VOLTE SEMPRE";
  p.Operator(1).name = "ANA";
  p.Operator(10).name = "ZECA";
  p.register_number = "42";
  EXPECT_EQ(LinesOf(p, "P0700")[0], "P0700|PADARIA S\xC3O JO\xC3O||RUA DAS FLORES|||");
  EXPECT_EQ(LinesOf(p, "P0750")[0], "P0750||||||VOLTE SEMPRE");
  EXPECT_EQ(LinesOf(p, "P0810")[0], "P0810|ANA|||||||||ZECA");
  EXPECT_EQ(LinesOf(p, "P1600")[0], "P1600|42");
}

TEST(FormatParFileTest, ATextIsNeverWrittenBeyondItsCapacityOrItsFirstNul) {
  ParamSet p;
  p.Department(1).name = "ABCDEFGHIJKLMNOP";
  p.Department(2).price = "123456789";
  p.Operator(1).name = std::string("ANA\0XYZ", 7);
  p.Department(3).name = std::string("\0X", 2);  // empty as the register sees it: no line
  EXPECT_EQ(LinesOf(p, "P0530"), (std::vector<std::string>{"P0530|D01|ABCDEFGHIJKL"}));
  EXPECT_EQ(LinesOf(p, "P0520")[0], "P0520|D02|1234567");
  EXPECT_EQ(LinesOf(p, "P0810")[0], "P0810|ANA|||||||||");
}

TEST(FormatParFileTest, AFullSetIs41937BytesWithHeaderAndFooterAsLongestLines) {
  const std::string file = FormatParFile(test::FullCapacitySet());
  EXPECT_EQ(file.size(), 41937u);
  std::size_t longest = 0;
  for (const std::string& line : SplitCrLf(file)) longest = std::max(longest, line.size());
  EXPECT_EQ(longest, 155u);
  EXPECT_EQ(LinesOf(test::FullCapacitySet(), "P0700")[0].size(), 155u);
  // The sample of the largest file in the test data is this set's file.
  EXPECT_EQ(file, test::Fixture("full_capacity.par"));
}

// --- Saving ------------------------------------------------------------------------------

class SaveFileTest : public testing::Test {
 protected:
  TempDir dir_;

  static void ExpectCreateError(const FileStatus& status, const std::string& path) {
    EXPECT_EQ(status.result, FileResult::kWriteFailed);
    EXPECT_EQ(Win1252(status.text), kCreateError);
    EXPECT_EQ(status.path, path);
  }
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path()))
      names.insert(entry.path().filename().string());
    return names;
  }
};

TEST_F(SaveFileTest, WritesTheFormattedSetAndCreatesMissingFolders) {
  ParamSet p;
  p.Department(3).name = "CAFE";
  const std::string path = dir_.File("KORVA/clientes/loja.par");
  EXPECT_TRUE(SaveParFile(p, path).ok());
  EXPECT_EQ(test::ReadWholeFile(path), FormatParFile(p));
  // A file that did not exist has no backup.
  EXPECT_FALSE(std::filesystem::exists(dir_.File("KORVA/clientes/loja.par.bak")));
}

// One generation of backup: the previous content beside the file, under its whole name plus
// ".bak".
TEST_F(SaveFileTest, TheSaveKeepsThePreviousContentAsTheBackup) {
  const std::string path = dir_.File("loja1.par");
  const std::string first = test::Fixture("loja1.par");
  test::WriteWholeFile(path, first);
  ASSERT_EQ(chmod(path.c_str(), 0600), 0);
  EXPECT_TRUE(SaveParFile(ParamSet{}, path).ok());
  EXPECT_EQ(test::ReadWholeFile(dir_.File("loja1.par.bak")), first);
#ifndef _WIN32  // the backup is as private as the file it copies
  EXPECT_EQ(std::filesystem::status(dir_.File("loja1.par.bak")).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
#endif
  ParamSet second;
  second.register_number = "7";
  EXPECT_TRUE(SaveParFile(second, path).ok());
  EXPECT_EQ(test::ReadWholeFile(dir_.File("loja1.par.bak")), Expected546Lines());
  EXPECT_EQ(test::ReadWholeFile(path), FormatParFile(second));
  EXPECT_EQ(Names(), (std::set<std::string>{"loja1.par.bak", "loja1.par"}));
}

TEST_F(SaveFileTest, AFailedBackupStopsTheSaveAndKeepsTheOldFile) {
  const std::string path = dir_.File("loja1.par");
  test::WriteWholeFile(path, "P1600|1\r\n");
  ASSERT_TRUE(std::filesystem::create_directory(dir_.File("loja1.par.bak")));
  const FileStatus status = SaveParFile(ParamSet{}, path);
  EXPECT_EQ(status.result, FileResult::kBackupFailed);
  EXPECT_EQ(status.path, dir_.File("loja1.par.bak"));
  EXPECT_EQ(Win1252(status.text),
            "ERRO NA CRIA\xC7\xC3O DA C\xD3PIA DE SEGURAN\xC7"
            "A");
  EXPECT_EQ(test::ReadWholeFile(path), "P1600|1\r\n");
  EXPECT_TRUE(std::filesystem::is_directory(dir_.File("loja1.par.bak")));
}

// Names that differ only in letter case or in their extension, and a name that already ends
// in ".bak", each get a backup of their own.
TEST(BackupFileName, NoTwoFilesShareABackup) {
  const std::pair<std::string, std::string> cases[] = {
      {"loja1.par", "loja1.par.bak"},
      {"/c/loja1.PAR", "/c/loja1.PAR.bak"},
      {"cliente.2023", "cliente.2023.bak"},
      {"cliente.2024", "cliente.2024.bak"},
      {"caixa1", "caixa1.bak"},
      {"loja.bak", "loja.bak.bak"},
  };
  std::set<std::string> backups;
  for (const auto& [path, backup] : cases) {
    EXPECT_EQ(BackupFileName(path), backup) << path;
    backups.insert(BackupFileName(path));
  }
  EXPECT_EQ(backups.size(), std::size(cases));
}

// Saving, opening and restoring go through the same calls on every system: the restored file
// is the backup's content and opens as an ordinary file; with no usable backup, nothing changes.
TEST_F(SaveFileTest, RestoringPutsTheBackupBackAndNeedsOne) {
  const std::string path = dir_.File("loja1.par");
  const std::string first = test::Fixture("loja1.par");
  test::WriteWholeFile(path, first);
  ASSERT_TRUE(SaveParFile(ParamSet{}, path).ok());
  EXPECT_TRUE(RestoreParFile(path).ok());
  EXPECT_EQ(test::ReadWholeFile(path), first);
  EXPECT_EQ(test::ReadWholeFile(BackupFileName(path)), first);
  ParamSet loaded;
  EXPECT_TRUE(LoadParFile(loaded, path).ok());

  const std::string alone = dir_.File("sozinho.par");
  test::WriteWholeFile(alone, "P1600|1\r\n");
  const FileStatus status = RestoreParFile(alone);
  EXPECT_EQ(status.result, FileResult::kUnreadable);
  EXPECT_EQ(status.path, BackupFileName(alone));
  EXPECT_EQ(test::ReadWholeFile(alone), "P1600|1\r\n");
}

TEST_F(SaveFileTest, SavingOverALongerFileLeavesOnlyTheNewContent) {
  const std::string path = dir_.File("loja.par");
  test::WriteWholeFile(path, FormatParFile(test::FullCapacitySet()));
  EXPECT_TRUE(SaveParFile(ParamSet{}, path));
  EXPECT_EQ(test::ReadWholeFile(path), Expected546Lines());
}

TEST_F(SaveFileTest, AFolderInPlaceOfTheFileIsReportedAndLeftAlone) {
  const std::string path = dir_.File("loja.par");
  ASSERT_TRUE(std::filesystem::create_directory(path));
  ExpectCreateError(SaveParFile(ParamSet{}, path), path);
  EXPECT_TRUE(std::filesystem::is_directory(path));
}

// Every step of the replacement can fail (full disk, removed medium); whichever it is, the
// customer's previous file stays exactly as it was and no temporary file is left behind.
TEST_F(SaveFileTest, AFailedWriteFlushCloseOrRenameLeavesTheOldFileIntact) {
  const FileWriteOps system = SystemFileWriteOps();
  struct Case {
    const char* what;
    FileWriteOps ops;
  };
  FileWriteOps short_write = system;
  short_write.write = [](int, const void*, std::size_t count) -> ssize_t {
    return count > 100 ? 100 : -1;  // the disk fills up after a few bytes
  };
  FileWriteOps failed_write = system;
  failed_write.write = [](int, const void*, std::size_t) -> ssize_t { return -1; };
  FileWriteOps failed_fsync = system;
  failed_fsync.fsync = [](int) { return -1; };
  FileWriteOps failed_close = system;
  failed_close.close = [](int fd) {
    SystemFileWriteOps().close(fd);
    return -1;
  };
  FileWriteOps failed_rename = system;
  failed_rename.rename = [](const char*, const char*) { return -1; };
  const Case cases[] = {{"write fails after 100 bytes", short_write},
                        {"write fails", failed_write},
                        {"flush fails", failed_fsync},
                        {"close fails", failed_close},
                        {"rename fails", failed_rename}};

  const std::string path = dir_.File("loja1.par");
  const std::string old = test::Fixture("loja1.par");
  for (const Case& c : cases) {
    test::WriteWholeFile(path, old);
    test::WriteWholeFile(dir_.File("loja1.par.bak"), "previous backup");
    FileStatus status;
    {
      ScopedFileWriteOps scoped(c.ops);
      status = SaveParFile(ParamSet{}, path);
    }
    // The backup is written the same way, so the failure may already stop it.
    EXPECT_TRUE(status.result == FileResult::kWriteFailed ||
                status.result == FileResult::kBackupFailed)
        << c.what;
    EXPECT_EQ(test::ReadWholeFile(path), old) << c.what;
    // A failed save keeps the undo of the last good one.
    EXPECT_EQ(test::ReadWholeFile(dir_.File("loja1.par.bak")), "previous backup") << c.what;
    EXPECT_EQ(Names(), (std::set<std::string>{"loja1.par", "loja1.par.bak"}))
        << c.what << ": a temporary file was left";
  }
  // With the system's calls back the same save succeeds.
  EXPECT_TRUE(SaveParFile(ParamSet{}, path));
  EXPECT_EQ(test::ReadWholeFile(path), Expected546Lines());
}

// A file without write permission counts as read-only for everyone, root included; the test
// also runs as an unprivileged user (ctest's parfile_permissions_as_nobody).
TEST_F(SaveFileTest, PermissionsReadOnlyFileIsRefusedAndUnchanged) {
  const std::string path = dir_.File("loja.par");
  const std::string old = "P0530|D03|CAFE\r\n";
  test::WriteWholeFile(path, old);
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  ExpectCreateError(SaveParFile(ParamSet{}, path), path);
  EXPECT_EQ(test::ReadWholeFile(path), old);
}

}  // namespace
}  // namespace qx
