// Loading: every record of the dispatch table, the reader's side of the format, and the
// loader's failure table with real files.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "common/cp1252.h"
#include "common/file_status.h"
#include "par_test_support.h"
#include "parfile/par_file.h"
#include "parfile/par_reader.h"

namespace qx {
namespace {

using namespace std::string_view_literals;
using test::Fixture;
using test::TempDir;

// The message texts as the user sees them, in Windows-1252.
const std::string kNoMemory = "ERRO DE ALOCA\xC7\xC3O DE MEM\xD3RIA";
const std::string kNewFile = "N\xE3o encontrado o arquivo\nGerando arquivo NOVO";
const std::string kNoData = "ERRO ARQUIVO SEM DADOS";

ParamSet Load(std::string_view bytes) {
  ParamSet params;
  LoadParBytes(params, bytes);
  return params;
}

std::string Status(const DeptRecord& d) {
  return {d.status_negative_price, d.status_single_item_sale, d.status_open_price,
          d.status_fixed_price};
}
std::string Status(const PluRecord& p) {
  return {p.status_negative_price, p.status_single_item_sale, p.status_open_price,
          p.status_fixed_price};
}

// --- The dispatch table, record by record ---------------------------------------------

TEST(LoadRecordsTest, DepartmentRecords) {
  const ParamSet p = Load(
      "P0500|D03|1|0|0|1\r\n"
      "P0520|D03|1250\r\n"
      "P0530|D03|CAF\xC9\r\n"
      "P0500|D16|0|1|1|0\r\n");
  EXPECT_EQ(Status(p.Department(3)), "1001");
  EXPECT_EQ(p.Department(3).price, "1250");
  EXPECT_EQ(p.Department(3).name, "CAF\xC9");
  EXPECT_EQ(Status(p.Department(16)), "0110");
  EXPECT_EQ(Status(p.Department(4)), "0011");  // untouched: defaults
}

TEST(LoadRecordsTest, ProductRecords) {
  const ParamSet p = Load(
      "P0100|P001|1|1|0|0\r\n"
      "P0200|P042|399\r\n"
      "P0300|P042|P\xC3O DE QUEIJO\r\n"
      "P0350|P042|7\r\n"
      "P0350|P500|99\r\n");
  EXPECT_EQ(Status(p.Product(1)), "1100");
  EXPECT_EQ(p.Product(42).price, "399");
  EXPECT_EQ(p.Product(42).name, "P\xC3O DE QUEIJ");  // capacity 12
  EXPECT_EQ(p.Product(42).dept_code, "7");
  EXPECT_EQ(p.Product(500).dept_code, "99");  // kept as read, not checked against 1..16
}

TEST(LoadRecordsTest, SystemOptionsInTheirOrderThenTheReservedText) {
  const ParamSet p = Load("P0030|1|3|0|1|0|1|0|1|0|1|0|1|0|1|0|1|0|1|1RESERVADO\r\n");
  const SystemOptions& o = p.system_options;
  EXPECT_EQ(o.key_beep, '1');
  EXPECT_EQ(o.date_format, '3');
  EXPECT_EQ(o.decimal_places, '0');
  EXPECT_EQ(o.drawer_on_reports, '1');
  EXPECT_EQ(o.compact_print, '0');
  EXPECT_EQ(o.ejournal_enabled, '1');
  EXPECT_EQ(o.zero_operator_counter, '0');
  EXPECT_EQ(o.multiply_quantity, '1');
  EXPECT_EQ(o.rounding, '1');
  EXPECT_EQ(o.system_reserved, "RESERVADO");
}

TEST(LoadRecordsTest, TheReservedTextMayFollowASeparatorAndIsCutAt19) {
  EXPECT_EQ(
      Load("P0030|0|1|2|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|ABC\r\n").system_options.system_reserved,
      "ABC");
  EXPECT_EQ(Load("P0030|0|1|2|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n")
                .system_options.system_reserved,
            "ABCDEFGHIJKLMNOPQRS");
}

TEST(LoadRecordsTest, PrintOptionsAroundTheTwoSymbols) {
  // As the writer produces it: a filled local symbol and an empty foreign one.
  const ParamSet p = Load("P0040|0|1|R$||1|0|0|0|0|0|0|1|0|0|1|1|1|0|0|1|1|0|0|1|1|1|0\r\n");
  const PrintOptions& o = p.print_options;
  EXPECT_EQ(o.print_z_counter, '0');
  EXPECT_EQ(o.print_zero_totals, '1');
  EXPECT_EQ(o.local_currency_symbol, "R$");
  EXPECT_EQ(o.foreign_currency_symbol, "");
  EXPECT_EQ(o.print_receipt_copy, '1');
  EXPECT_EQ(o.print_subtotal, '0');
  EXPECT_EQ(o.print_item_count, '1');
  EXPECT_EQ(o.print_reserved_13, '0');
  EXPECT_EQ(o.print_reserved_15, '1');
  EXPECT_EQ(o.print_grand_total, '0');
  EXPECT_EQ(o.grand_total_net, '1');
  EXPECT_EQ(o.print_header, '0');
  EXPECT_EQ(o.print_ejournal, '1');
  EXPECT_EQ(o.print_code_on_receipt, '1');
  EXPECT_EQ(o.print_code_in_product_report, '0');
}

TEST(LoadRecordsTest, KeyStatusByIndex) {
  const ParamSet p = Load(
      "P0070|1|0|1|1\r\n"
      "P0070|2|0|0|1\r\n"
      "P0070|3|1|1|0\r\n"
      "P0070|4|1\r\n"
      "P0070|5|0\r\n"  // the currency key has no status: skipped
      "P0070|6|0\r\n"
      "P0070|7|0\r\n"
      "P0070|8|0\r\n"
      "P0070|9|0\r\n");
  EXPECT_EQ(p.cash_key.change_allowed, '0');
  EXPECT_EQ(p.cash_key.lower_value_refused, '1');
  EXPECT_EQ(p.cash_key.value_required, '1');
  EXPECT_EQ(p.cheque_key.value_required, '1');
  EXPECT_EQ(p.card_key.change_allowed, '1');
  EXPECT_EQ(p.card_key.lower_value_refused, '1');
  EXPECT_EQ(p.card_key.value_required, '0');
  EXPECT_EQ(p.void_receipt_key.disabled, '1');
  EXPECT_EQ(p.discount_pct_key.open, '0');
  EXPECT_EQ(p.discount_value_key.open, '0');
  EXPECT_EQ(p.surcharge_pct_key.open, '0');
  ParamSet expected = p;
  ResetParamSet(expected);
  EXPECT_EQ(Load("P0070|5|0\r\nP0070|9|0\r\nP0070|0|0\r\n"), expected);
}

TEST(LoadRecordsTest, KeyValuesByIndex) {
  const ParamSet p = Load(
      "P0090|1|100000\r\n"
      "P0090|2|200000\r\n"
      "P0090|3|300000\r\n"
      "P0090|4|5000\r\n"
      "P0090|5|0625|3\r\n"
      "P0090|6|10000\r\n"
      "P0090|7|150\r\n"
      "P0090|8|05000\r\n"
      "P0090|9|123456789\r\n");
  EXPECT_EQ(p.cash_key.limit, "100000");
  EXPECT_EQ(p.cheque_key.limit, "200000");
  EXPECT_EQ(p.card_key.limit, "300000");
  EXPECT_EQ(p.void_receipt_key.limit, "5000");
  EXPECT_EQ(p.currency_key.exchange_rate, "0625");
  EXPECT_EQ(p.currency_key.rate_decimals, "3");
  EXPECT_EQ(p.discount_pct_key.percent, "10000");
  EXPECT_EQ(p.discount_value_key.value, "150");
  EXPECT_EQ(p.surcharge_pct_key.percent, "05000");
  EXPECT_EQ(p.void_item_key.limit, "12345678");  // capacity 8
  EXPECT_EQ(Load("P0090|0|1\r\nP0090|10|1\r\n"), ParamSet{});
}

TEST(LoadRecordsTest, KeyNamesByIndex) {
  const ParamSet p = Load(
      "P0080|1|DINHEIRO\r\nP0080|2|CHEQUE\r\nP0080|3|CART\xC3O\r\nP0080|4|CANCELA\r\n"
      "P0080|5|D\xD3LAR\r\nP0080|6|DESC %\r\nP0080|7|FUNC\r\nP0080|8|ACRESCIMO\r\n");
  EXPECT_EQ(p.cash_key.name, "DINHEIRO");
  EXPECT_EQ(p.cheque_key.name, "CHEQUE");
  EXPECT_EQ(p.card_key.name, "CART\xC3O");
  EXPECT_EQ(p.void_receipt_key.name, "CANCELA");
  EXPECT_EQ(p.currency_key.name, "D\xD3LAR");
  EXPECT_EQ(p.discount_pct_key.name, "DESC %");
  EXPECT_EQ(p.discount_value_key.name, "FUNC");
  EXPECT_EQ(p.surcharge_pct_key.name, "ACRESCIM");  // capacity 8
  EXPECT_EQ(Load("P0080|9|NOVE\r\nP0080|0|ZERO\r\n"), ParamSet{});
}

TEST(LoadRecordsTest, HeaderFooterOperatorsAndRegisterNumber) {
  const ParamSet p = Load(
      "P0700|PADARIA S\xC3O JO\xC3O||RUA DAS FLORES 12|||OBRIGADO\r\n"
      "P0750|VOLTE SEMPRE|||||\xDALTIMA\r\n"
      "P0810|ANA||JOS\xC9||||||||ZECA\r\n"
      "P1600|000042\r\n");
  EXPECT_THAT(p.header_lines, testing::ElementsAre("PADARIA S\xC3O JO\xC3O", "",
                                                   "RUA DAS FLORES 12", "", "", "OBRIGADO"));
  EXPECT_THAT(p.footer_lines, testing::ElementsAre("VOLTE SEMPRE", "", "", "", "", "\xDALTIMA"));
  EXPECT_EQ(p.Operator(1).name, "ANA");
  EXPECT_EQ(p.Operator(2).name, "");  // a gap keeps every operator under its own number
  EXPECT_EQ(p.Operator(3).name, "JOS\xC9");
  EXPECT_EQ(p.Operator(10).name, "");  // the eleventh field is not read
  EXPECT_EQ(p.register_number, "000042");
}

// --- The reader's side of the format table ----------------------------------------------

TEST(LoadFormatTest, KeysOutOfRangeAreSkippedAndAnyPrefixIsAccepted) {
  EXPECT_EQ(Load("P0500|D17|1|1|1|1\r\nP0500|D00|1|1|1|1\r\nP0100|P000|1|1|1|1\r\n"
                 "P0100|P501|1|1|1|1\r\nP0520|D17|5\r\nP0200|P501|5\r\nP0300|P000|X\r\n"
                 "P0350|P501|1\r\nP0530||X\r\n"),
            ParamSet{});
  const ParamSet p = Load("P0500|D1|1|1|1|1\r\nP0100|X7|1|0|0|0\r\nP0520|#5|5\r\n");
  EXPECT_EQ(Status(p.Department(1)), "1111");
  EXPECT_EQ(Status(p.Product(7)), "1000");
  EXPECT_EQ(p.Department(5).price, "5");
}

TEST(LoadFormatTest, RecordsAreRecognisedByTheirFirstFiveCharactersAlone) {
  const ParamSet p = Load(
      "P0530D01|A\r\n"    // no separator before the key: still P0530, key 1
      "P0530X|D02|B\r\n"  // the key field is "X": no number, the line is skipped
      "p0530|D02|B\r\n"   // lower case: no record
      "P053|D03|C\r\n"    // too short
      "#P0530|D04|D\r\n"  // a comment-like prefix: no record
      " P0530|D05|E\r\n");
  EXPECT_EQ(p.Department(1).name, "A");
  for (int n = 2; n <= 5; ++n) EXPECT_EQ(p.Department(n).name, "") << n;
}

TEST(LoadFormatTest, FlagFieldsKeepTheCharacterFoundAndMissingOnesReadAsZero) {
  EXPECT_EQ(Status(Load("P0500|D02|1\r\n").Department(2)), "1000");
  EXPECT_EQ(Status(Load("P0500|D05\r\n").Department(5)), "0000");
  // An empty flag field yields its closing separator; a character that is not a flag digit is
  // kept as it is.
  EXPECT_EQ(Status(Load("P0500|D05|a||1|1\r\n").Department(5)), "a|11");
  EXPECT_EQ(Status(Load("P0500|D05|a|||7\r\n").Department(5)), "a|70");
  EXPECT_EQ(Load("P0030\r\n").system_options.date_format, '0');
}

TEST(LoadFormatTest, MissingTextFieldsReadAsEmpty) {
  const ParamSet p = Load("P0810|ANA\r\nP0040|1|1\r\nP0090|5\r\n");
  EXPECT_EQ(p.Operator(1).name, "ANA");
  for (int n = 2; n <= 10; ++n) EXPECT_EQ(p.Operator(n).name, "") << n;
  EXPECT_EQ(p.print_options.local_currency_symbol, "");
  EXPECT_EQ(p.print_options.foreign_currency_symbol, "");
  EXPECT_EQ(p.print_options.print_code_in_product_report, '0');
}

TEST(LoadFormatTest, AnOverlongTextSpillsIntoTheFollowingFields) {
  // A header line of 30 characters: line 1 gets 24, line 2 the other 6, and the rest shift.
  const ParamSet p = Load("P0700|ABCDEFGHIJKLMNOPQRSTUVWX123456|L2|L3|L4|L5|L6\r\n");
  EXPECT_THAT(p.header_lines,
              testing::ElementsAre("ABCDEFGHIJKLMNOPQRSTUVWX", "123456", "L2", "L3", "L4", "L5"));
  // The last field of a record simply loses its excess.
  EXPECT_EQ(Load("P1600|12345678\r\n").register_number, "123456");
  EXPECT_EQ(Load("P0520|D01|123456789\r\n").Department(1).price, "1234567");
}

TEST(LoadFormatTest, PricesAreStoredAsReadAndLaterLinesWin) {
  const ParamSet p = Load("P0520|D03|0001250\r\nP0530|D03|A\r\nP0530|D03|B\r\n");
  EXPECT_EQ(p.Department(3).price, "0001250");
  EXPECT_EQ(p.Department(3).name, "B");
}

TEST(LoadFormatTest, ControlBytesBeforeALineAndBytesAfterANulAreNotRead) {
  const ParamSet p = Load("\t\x01 \r\n\x1FP1600|7\r\n\0P0810|ANA\r\n"sv);
  EXPECT_EQ(p.register_number, "7");
  EXPECT_EQ(p.Operator(1).name, "");
}

TEST(LoadFormatTest, ALongRunOfBlankLinesDoesNotEndTheReading) {
  const std::string data = "P1600|1\r\n" + std::string(2000, '\n') + "P0810|ANA\r\n";
  const ParamSet p = Load(data);
  EXPECT_EQ(p.register_number, "1");
  EXPECT_EQ(p.Operator(1).name, "ANA");
}

TEST(LoadFormatTest, AnOverlongLineIsCutAtTheLimitAndItsRestIsALineOfItsOwn) {
  // 600 characters in the first line: the first 511 form the record; the rest, here made to
  // start like a record, is read as a line of its own.
  std::string line = "P0530|D01|" + std::string(501, 'N');
  line += "P1600|99" + std::string(600 - line.size() - 8, 'x');
  ASSERT_EQ(line.size(), 600u);
  const ParamSet p = Load(line + "\r\nP0810|ANA\r\n");
  EXPECT_EQ(p.Department(1).name, std::string(12, 'N'));
  EXPECT_EQ(p.register_number, "99xxxx");
  EXPECT_EQ(p.Operator(1).name, "ANA");
}

TEST(LoadFormatTest, OnlyTheFirst48768BytesAreRead) {
  // Blanks up to 9 bytes before the limit, then CR LF, then a record cut after "P0810|A".
  const std::string data =
      std::string(par::kReadBufferSize - 9, ' ') + "\r\nP0810|ANA\r\nP0700|X\r\n";
  const ParamSet p = Load(data);
  EXPECT_EQ(p.Operator(1).name, "A");
  EXPECT_EQ(p.header_lines[0], "");
}

TEST(LoadFormatTest, ALoadReplacesTheWholeSetMarkersIncluded) {
  ParamSet p;
  p.Department(1).name = "VELHO";
  p.Department(1).changed_name = 1;
  p.Operator(2).changed = 1;
  LoadParBytes(p, "P0530|D02|NOVO\r\n");
  EXPECT_EQ(p.Department(1).name, "");
  EXPECT_EQ(p.Department(2).name, "NOVO");
  EXPECT_FALSE(AnyChangeMarker(p));
}

// Fixtures: different spellings of one programming load the same set.
TEST(LoadFixturesTest, LineEndsBlankLinesAndRecordOrderDoNotMatter) {
  const ParamSet written = Load(Fixture("small.par"));
  // small.par: a few records in the writer's form.
  EXPECT_EQ(written.Department(3).name, "CAF\xC9");
  // small_lf_blank.par: the same records with LF line ends, blank lines and tabs between.
  EXPECT_EQ(Load(Fixture("small_lf_blank.par")), written);
  // small_shuffled.par: the same records in another order.
  EXPECT_EQ(Load(Fixture("small_shuffled.par")), written);
}

TEST(LoadFixturesTest, OddKeysLoadWhereTheReaderPutsThem) {
  // odd_keys.par: one-digit, prefix-free and out-of-range keys, index 5 status, key 9 name.
  const ParamSet p = Load(Fixture("odd_keys.par"));
  EXPECT_EQ(p.Department(1).name, "UM");
  EXPECT_EQ(p.Department(16).name, "DEZESSEIS");
  EXPECT_EQ(p.Product(500).name, "QUINHENTOS");
  EXPECT_EQ(p.currency_key.exchange_rate, "0625");
  EXPECT_EQ(p.currency_key.rate_decimals, "3");
  ParamSet expected;
  expected.Department(1).name = "UM";
  expected.Department(16).name = "DEZESSEIS";
  expected.Product(500).name = "QUINHENTOS";
  expected.currency_key.exchange_rate = "0625";
  expected.currency_key.rate_decimals = "3";
  EXPECT_EQ(p, expected);  // nothing else was touched by the out-of-range lines
}

// --- The failure table, with real files ------------------------------------------------

class LoadFileTest : public testing::Test {
 protected:
  TempDir dir_;

  static void ExpectStatus(const FileStatus& status, FileResult result, const std::string& text,
                           const std::string& path) {
    EXPECT_EQ(status.result, result);
    EXPECT_EQ(Win1252(status.text), text);
    EXPECT_EQ(status.path, path);
  }
};

TEST_F(LoadFileTest, AFileLoadsWithoutAMessage) {
  const std::string path = dir_.File("loja.par");
  test::WriteWholeFile(path, "P0530|D03|CAFE\r\nP1600|12\r\n");
  ParamSet p;
  EXPECT_TRUE(LoadParFile(p, path).ok());
  EXPECT_EQ(p.Department(3).name, "CAFE");
  EXPECT_EQ(p.register_number, "12");
}

TEST_F(LoadFileTest, AMissingFileStartsANewOneFromTheDefaults) {
  const std::string path = dir_.File("novo/cliente/loja.par");
  ParamSet p;
  p.Department(1).name = "ANTES";
  ExpectStatus(LoadParFile(p, path), FileResult::kMissing, kNewFile, path);
  EXPECT_EQ(p, ParamSet{});
  // Opening creates nothing, not even the folders of the path (the save makes them).
  EXPECT_FALSE(std::filesystem::exists(dir_.File("novo")));
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(LoadFileTest, AnEmptyFileIsReported) {
  const std::string path = dir_.File("vazio.par");
  test::WriteWholeFile(path, "");
  ParamSet p;
  p.register_number = "1";
  ExpectStatus(LoadParFile(p, path), FileResult::kEmpty, kNoData, path);
  EXPECT_EQ(p, ParamSet{});
}

TEST_F(LoadFileTest, AFileOfLineEndsOnlyLoadsTheDefaultsSilently) {
  const std::string path = dir_.File("linhas.par");
  test::WriteWholeFile(path, "\r\n\r\n\r\n");
  ParamSet p;
  EXPECT_TRUE(LoadParFile(p, path).ok());
  EXPECT_EQ(p, ParamSet{});
}

TEST_F(LoadFileTest, AFailedReadIsReported) {
  // The process's own memory file is a regular file whose first bytes cannot be read (the
  // lowest addresses are never mapped): a real read failure without any test hook.
  ParamSet p;
  p.register_number = "9";
  const FileStatus status = LoadParFile(p, "/proc/self/mem");
  if (status.result == FileResult::kUnreadable) {
    GTEST_SKIP() << "/proc/self/mem cannot be opened here";
  }
  ExpectStatus(status, FileResult::kEmpty, kNoData, "/proc/self/mem");
  EXPECT_EQ(p, ParamSet{});
}

TEST_F(LoadFileTest, NoMemoryForTheBufferIsReported) {
  const std::string path = dir_.File("loja.par");
  test::WriteWholeFile(path, "P1600|12\r\n");
  const par::ReadBufferReserver previous =
      par::SetReadBufferReserver([](std::string&, std::size_t) { return false; });
  ParamSet p;
  p.register_number = "9";
  const FileStatus status = LoadParFile(p, path);
  par::SetReadBufferReserver(previous);
  ExpectStatus(status, FileResult::kNoMemory, kNoMemory, path);
  EXPECT_EQ(p, ParamSet{});
}

// Only a path where nothing stands is a new file. A folder of that name, or a file this user
// may not read, is reported as unreadable (and the set holds the defaults), never as new.
TEST_F(LoadFileTest, PermissionsWhatExistsButCannotBeReadIsNotANewFile) {
  const std::string folder = dir_.File("pasta.par");
  ASSERT_TRUE(std::filesystem::create_directory(folder));
  const std::string unreadable = dir_.File("fechado.par");
  test::WriteWholeFile(unreadable, "P1600|12\r\n");
  ASSERT_EQ(chmod(unreadable.c_str(), 0200), 0);
  for (const std::string& path : {folder, unreadable}) {
#ifdef _WIN32
    if (path == unreadable) continue;  // the mode cannot keep the owner from reading
#else
    if (path == unreadable && geteuid() == 0) continue;  // root reads it: checked as nobody
#endif
    ParamSet p;
    p.register_number = "9";
    ExpectStatus(LoadParFile(p, path), FileResult::kUnreadable, "ERRO NA LEITURA DO ARQUIVO", path);
    EXPECT_EQ(p, ParamSet{});
  }
}

TEST_F(LoadFileTest, AFileLongerThanTheBufferLoadsItsFirst48768Bytes) {
  const std::string data = "P0810|ANA\r\n" + std::string(60000, ' ') + "\r\nP1600|12\r\n";
  const std::string path = dir_.File("grande.par");
  test::WriteWholeFile(path, data);
  ParamSet p;
  EXPECT_TRUE(LoadParFile(p, path).ok());
  EXPECT_EQ(p.Operator(1).name, "ANA");
  EXPECT_EQ(p.register_number, "");
}

TEST_F(LoadFileTest, TheRichSampleLoadsAsTheBytesDo) {
  ParamSet from_file;
  EXPECT_TRUE(LoadParFile(from_file, test::FixturePath("loja1.par")).ok());
  EXPECT_EQ(from_file, Load(Fixture("loja1.par")));
  EXPECT_EQ(from_file.Department(3).name, "CAFE");
}

// A file that can be read but not written (read-only file or folder) is loaded as usual;
// only saving over it is refused, with the save's own message. Root ignores folder and file
// permissions when opening, so what proves that loading asks for no write access is the run
// of these tests as an unprivileged user (ctest's parfile_permissions_as_nobody).
TEST_F(LoadFileTest, PermissionsReadOnlyFileLoadsAndSavingOverItIsRefused) {
  const std::string path = dir_.File("somente-leitura.par");
  const std::string old = "P0530|D03|CAFE\r\n";
  test::WriteWholeFile(path, old);
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  ParamSet p;
  EXPECT_TRUE(LoadParFile(p, path).ok());
  EXPECT_EQ(p.Department(3).name, "CAFE");

  p.Department(3).name = "CHA";
  ExpectStatus(SaveParFile(p, path), FileResult::kWriteFailed, "ERRO NA CRIA\xC7\xC3O DO ARQUIVO",
               path);
  EXPECT_EQ(test::ReadWholeFile(path), old);
}

TEST_F(LoadFileTest, PermissionsFileInReadOnlyFolderLoads) {
  const std::string folder = dir_.File("cd");
  ASSERT_TRUE(std::filesystem::create_directory(folder));
  const std::string path = folder + "/loja.par";
  test::WriteWholeFile(path, "P0530|D03|CAFE\r\n");
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
  ParamSet p;
  const FileStatus status = LoadParFile(p, path);
  chmod(folder.c_str(), 0755);
  EXPECT_TRUE(status.ok());
  EXPECT_EQ(p.Department(3).name, "CAFE");
}

}  // namespace
}  // namespace qx
