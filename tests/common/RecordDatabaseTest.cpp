#include <gtest/gtest.h>

#include <fstream>

#include "TestSupport.h"
#include "common/database/RecordDatabase.h"
#include "common/database/Sha256.h"

namespace trelvix {
namespace {

using test::G;

TEST(Sha256Test, KnownDigests) {
    EXPECT_EQ(Sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    // Two blocks: the padding no longer fits after 56 bytes.
    EXPECT_EQ(Sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(Sha256Hex(std::string(1000000, 'a')), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

class RecordDatabaseTest : public ::testing::Test {
protected:
    std::filesystem::path file() const { return home.root() / "data.edb"; }

    // Three records: a text, a number and picture bytes with a zero byte in them.
    void MakeSample() {
        auto db = RecordDatabase::Create(file(), "secret", "salt");
        ASSERT_TRUE(db);
        const char* names[] = {"hAP lite", "hEX", "RB4011iGS+RM"};
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(db->Append());
            ASSERT_TRUE(db->WriteText("name", names[i]));
            ASSERT_TRUE(db->Write(G("父项目"), FieldValue::Number(i - 1)));
        }
        ASSERT_TRUE(db->Write("img", FieldValue::Bytes(std::string("\x89PNG\0\x01", 6))));
        ASSERT_TRUE(db->WriteText("comment", G("千兆路由器")));
    }

    test::TempHome home;
};

TEST_F(RecordDatabaseTest, RecordsComeBackInOrderWithTheirKinds) {
    MakeSample();
    auto db = RecordDatabase::Open(file(), "secret");
    ASSERT_TRUE(db);
    ASSERT_EQ(db->RecordCount(), 3);
    EXPECT_EQ(db->Read("name").bytes, "hAP lite");
    EXPECT_EQ(db->Read(G("父项目")).kind, FieldKind::Number);
    EXPECT_EQ(db->Read(G("父项目")).number, -1);
    EXPECT_EQ(db->Read("img").kind, FieldKind::Missing);
    db->Skip();
    EXPECT_EQ(db->Read("name").bytes, "hEX");
    db->Skip();
    const FieldValue img = db->Read("img");
    EXPECT_EQ(img.kind, FieldKind::Bytes);
    EXPECT_EQ(img.bytes, std::string("\x89PNG\0\x01", 6));
    EXPECT_EQ(db->Read("comment").kind, FieldKind::Text);
    EXPECT_EQ(db->Read("comment").bytes, G("千兆路由器"));
    db->Skip();
    EXPECT_TRUE(db->AtEnd());
    EXPECT_EQ(db->Read("name").kind, FieldKind::Missing);
    EXPECT_FALSE(db->WriteText("name", "x"));
    db->First();
    EXPECT_EQ(db->Read("name").bytes, "hAP lite");
}

TEST_F(RecordDatabaseTest, FindSearchesForwardFromTheCurrentRecord) {
    MakeSample();
    auto db = RecordDatabase::Open(file(), "secret");
    ASSERT_TRUE(db);
    auto named = [](std::string name) {
        return [name](const RecordDatabase& r) { return r.Read("name").bytes == name; };
    };
    db->Skip();
    db->Skip();
    EXPECT_FALSE(db->Find(named("hEX")));  // behind the cursor
    EXPECT_TRUE(db->AtEnd());
    db->First();
    EXPECT_TRUE(db->Find(named("hEX")));
    EXPECT_EQ(db->Read(G("父项目")).number, 0);
    EXPECT_FALSE(db->Find(named("hex")));  // letter case counts
}

TEST_F(RecordDatabaseTest, WritesLastAcrossOpenings) {
    MakeSample();
    {
        auto db = RecordDatabase::Open(file(), "secret");
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->WriteText("info1", G("CPU#QCA9533##")));
        ASSERT_TRUE(db->WriteText("name", ""));  // empty, still a text
    }
    auto db = RecordDatabase::Open(file(), "secret");
    ASSERT_TRUE(db);
    EXPECT_EQ(db->Read("info1").bytes, G("CPU#QCA9533##"));
    EXPECT_EQ(db->Read("name").kind, FieldKind::Text);
    EXPECT_EQ(db->Read("name").bytes, "");
}

TEST_F(RecordDatabaseTest, OpenFailsWithoutTheRightPasswordOrFile) {
    MakeSample();
    EXPECT_FALSE(RecordDatabase::Open(file(), "Secret"));
    EXPECT_FALSE(RecordDatabase::Open(file(), ""));
    EXPECT_FALSE(RecordDatabase::Open(home.root() / "missing.edb", "secret"));
    EXPECT_FALSE(std::filesystem::exists(home.root() / "missing.edb"));
    std::ofstream(home.root() / "text.edb") << "db";
    EXPECT_FALSE(RecordDatabase::Open(home.root() / "text.edb", "secret"));
    EXPECT_TRUE(RecordDatabase::Open(file(), "secret"));
}

TEST_F(RecordDatabaseTest, AnEmptyDatabaseHasNoCurrentRecord) {
    ASSERT_TRUE(RecordDatabase::Create(file(), "pw", "s"));
    auto db = RecordDatabase::Open(file(), "pw");
    ASSERT_TRUE(db);
    EXPECT_EQ(db->RecordCount(), 0);
    EXPECT_TRUE(db->AtEnd());
    EXPECT_FALSE(db->Find([](const RecordDatabase&) { return true; }));
}

TEST_F(RecordDatabaseTest, TheSetSelectsAndClosesByPath) {
    MakeSample();
    const auto other = home.root() / "Menu.edb";
    ASSERT_TRUE(RecordDatabase::Create(other, "secret", "x"));
    RecordDatabases set;
    ASSERT_TRUE(set.Open(file(), "secret"));
    ASSERT_TRUE(set.Open(other, "secret"));
    EXPECT_EQ(set.Current()->RecordCount(), 0);
    ASSERT_TRUE(set.Select(file()));
    EXPECT_EQ(set.Current()->RecordCount(), 3);
    set.Close(file());
    EXPECT_EQ(set.Current(), nullptr);
    EXPECT_FALSE(set.Select(file()));
    EXPECT_FALSE(set.Open(file(), "wrong"));
    auto handed = set.Release(other);
    ASSERT_TRUE(handed);
    EXPECT_FALSE(set.Select(other));
}

}  // namespace
}  // namespace trelvix
