// The catalogue loader: the tree it builds from the two databases, the
// failures that end the program, and the exchange-rate request that follows.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <functional>

#include "CatalogueFixture.h"
#include "TestSupport.h"
#include "tests/support/FakeHttpServer.h"
#include "tools/catalogue/CatalogueLoader.h"

namespace trelvix {
namespace {

namespace fs = std::filesystem;
using test::Category;
using test::G;
using test::Product;

std::vector<std::string> Shape(const std::vector<CatalogueTreeItem>& items) {
    std::vector<std::string> out;
    for (const CatalogueTreeItem& item : items)
        out.push_back(item.text + "<" + std::to_string(item.parent) + (item.bold ? " b" : ""));
    return out;
}

class CatalogueLoaderTest : public ::testing::Test {
protected:
    CatalogueLoad Read() { return ReadHardwareCatalogue(data.files(), kCataloguePassword); }
    test::CatalogueFolder data;
};

TEST_F(CatalogueLoaderTest, CategoriesThenProductsEachUnderTheNumberItsRecordNames) {
    data.WriteCategories({Category(-1, "A"), Category(-1, "B"), Category(0, "A1")});  // A1 moves B to 2
    data.WriteProducts(
        {Product(1, "p1"), Product(3, "b1"), Product(1, "p2"), Product(99, "lost"), Product(-1, "root")});
    const CatalogueLoad load = Read();
    ASSERT_EQ(load.outcome, CatalogueLoad::Outcome::Loaded);
    EXPECT_EQ(Shape(load.items),
              (std::vector<std::string>{"A<-1 b", "A1<0 b", "p1<1", "p2<1", "B<-1 b", "b1<4", "lost<-1", "root<-1"}));
    ASSERT_TRUE(load.products);
    EXPECT_EQ(load.products->RecordCount(), 5);
    EXPECT_EQ(load.products->Read("name").bytes, "p1");  // handed over at its first record
}

TEST_F(CatalogueLoaderTest, NumbersStoredAsTextCountToo) {
    data.WriteCategories({{FieldValue::Text("-1"), "A"}, {FieldValue::Text(" 0.9"), "A1"}});
    data.WriteProducts({{FieldValue::Text("1abc"), "p", {}}, {FieldValue::Text("x"), "q", {}}});
    EXPECT_EQ(Shape(Read().items), (std::vector<std::string>{"A<-1 b", "A1<0 b", "p<1", "q<0"}));
}

TEST_F(CatalogueLoaderTest, AnEmptyProductDatabaseLeavesTheCategoriesAlone) {
    data.WriteCategories({Category(-1, "A"), Category(0, "B")});
    data.WriteProducts({});
    const CatalogueLoad load = Read();
    ASSERT_EQ(load.outcome, CatalogueLoad::Outcome::Loaded);
    EXPECT_EQ(Shape(load.items), (std::vector<std::string>{"A<-1 b", "B<0 b"}));
}

TEST_F(CatalogueLoaderTest, ADatabaseThatDoesNotOpenFailsTheLoad) {
    data.WriteCategories({Category(-1, "A")});
    // The second file: missing, another password, not a database at all.
    EXPECT_EQ(Read().outcome, CatalogueLoad::Outcome::OpenFailed);
    data.WriteProducts({Product(0, "p")}, "another password");
    EXPECT_EQ(Read().outcome, CatalogueLoad::Outcome::OpenFailed);
    std::ofstream(data.files().products, std::ios::trunc) << "db";
    const CatalogueLoad load = Read();
    EXPECT_EQ(load.outcome, CatalogueLoad::Outcome::OpenFailed);
    EXPECT_FALSE(load.products);
    // And the first one.
    data.WriteProducts({Product(0, "p")});
    data.WriteCategories({Category(-1, "A")}, "wrong");
    EXPECT_EQ(Read().outcome, CatalogueLoad::Outcome::OpenFailed);
}

// A caption stored as a number, in either file: the database is damaged,
// and the program ends as for one that does not open, not on a fault.
TEST_F(CatalogueLoaderTest, ARecordWhoseCaptionIsNoTextIsADatabaseThatDoesNotOpen) {
    struct Case {
        const char* what;
        bool inCategories;
    };
    for (const Case c : {Case{"a category", true}, Case{"a product", false}}) {
        SCOPED_TRACE(c.what);
        data.WriteCategories({Category(-1, "A"), Category(0, "B")});
        data.WriteProducts({Product(0, "p"), Product(1, "q")});
        {
            auto db = RecordDatabase::Open(c.inCategories ? data.files().categories : data.files().products,
                                           kCataloguePassword);
            ASSERT_TRUE(db);
            db->Skip();
            ASSERT_TRUE(db->Write(c.inCategories ? "type" : "name", FieldValue::Number(7)));
        }
        const CatalogueLoad load = Read();
        EXPECT_EQ(load.outcome, CatalogueLoad::Outcome::OpenFailed);
        EXPECT_TRUE(load.items.empty());
        EXPECT_FALSE(load.products);
    }
}

// A pipe would hold the loader for ever, a device would be read without end.
TEST_F(CatalogueLoaderTest, OnlyRegularFilesAreOpened) {
    data.WriteCategories({Category(-1, "A")});
    data.WriteProducts({Product(0, "p")});
    const fs::path products = data.files().products;
    const fs::path real = products.parent_path() / "real.edb";
    fs::rename(products, real);
    struct Case {
        const char* what;
        std::function<void()> make;
        CatalogueLoad::Outcome outcome;
    };
    const Case cases[] = {
        {"a pipe", [&] { ASSERT_EQ(mkfifo(products.c_str(), 0600), 0); }, CatalogueLoad::Outcome::OpenFailed},
        {"a link to a device", [&] { fs::create_symlink("/dev/zero", products); }, CatalogueLoad::Outcome::OpenFailed},
        {"a folder", [&] { fs::create_directory(products); }, CatalogueLoad::Outcome::OpenFailed},
        {"a link to the database", [&] { fs::create_symlink(real, products); }, CatalogueLoad::Outcome::Loaded},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(products);
        c.make();
        EXPECT_EQ(Read().outcome, c.outcome);
    }
}

// The sample made at build time, read as the program reads it.
TEST(SampleCatalogueTest, OpensAndHoldsItsCategoriesAndProducts) {
    const CatalogueLoad load = ReadHardwareCatalogue(CatalogueFilesIn(TRELVIX_SAMPLE_CATALOGUE), kCataloguePassword);
    ASSERT_EQ(load.outcome, CatalogueLoad::Outcome::Loaded);
    ASSERT_TRUE(load.products);
    int categories = 0;
    for (const CatalogueTreeItem& item : load.items) {
        if (item.bold) {
            ++categories;
            continue;
        }
        SCOPED_TRACE(item.text);
        ASSERT_GE(item.parent, 0);
        EXPECT_TRUE(load.items[item.parent].bold);  // every product sits under a category
        RecordDatabase& db = *load.products;
        db.First();
        ASSERT_TRUE(db.Find([&](const RecordDatabase& r) { return r.Read("name").bytes == item.text; }));
        EXPECT_EQ(db.Read("cost").bytes.substr(0, 1), "$");
        EXPECT_EQ(db.Read("img").bytes.substr(0, 8), "\x89PNG\r\n\x1a\n");
        EXPECT_FALSE(ProductSpecRows(db.Read("info1").bytes + db.Read("info2").bytes).empty());
    }
    EXPECT_EQ(categories, 7);
    EXPECT_EQ(load.products->RecordCount(), static_cast<long long>(load.items.size()) - categories);
    EXPECT_EQ(load.items[0].text, "RouterBOARD");
    EXPECT_EQ(load.items[1].text, G("有线路由器"));
}

class CatalogueRateTest : public CatalogueLoaderTest {
protected:
    void SetUp() override {
        UsdCnyRate = 0;
        data.WriteCategories({Category(-1, "A")});
        data.WriteProducts({Product(0, "p")});
    }
    void TearDown() override { UsdCnyRate = 0; }

    // Runs the loader on this thread; the rate it ended with. By default a
    // page that is served arrives within the bounds on any machine.
    double Load(const std::string& host,
                const HttpLimits& limits = {std::chrono::seconds(60), std::chrono::seconds(120), 64 * 1024}) {
        CatalogueLoaderJob job;
        job.files = data.files();
        job.rateHost = host;
        job.limits = limits;
        job.deliverCatalogue = [this](CatalogueLoad load) { delivered = load.outcome; };
        job.rateFetched = [this](bool set) { rateSet = set; };
        LoadHardwareCatalogue(job);
        return UsdCnyRate;
    }
    std::string host() const { return "127.0.0.1:" + std::to_string(server.port()); }

    static test::FakeReply Page(int status, std::string body) {
        test::FakeReply reply;
        reply.status = status;
        reply.body = std::move(body);
        return reply;
    }
    static std::string Row(const std::string& a, const std::string& b, const std::string& c) {
        return "<tr><td>" + a + "</td><td>" + b + "</td><td>" + c + "</td></tr>";
    }

    test::FakeHttpServer server;
    std::optional<CatalogueLoad::Outcome> delivered;
    std::optional<bool> rateSet;
};

TEST_F(CatalogueRateTest, TwoRowsGiveTheRateOfOneDollar) {
    server.replyAll(Page(200, "<table>" + Row("USD", "rate", "CNY") + Row("100", "6.4512", "645.12") + "</table>"));
    EXPECT_EQ(Load(host()), 6.4512);
    EXPECT_EQ(delivered, CatalogueLoad::Outcome::Loaded);
    EXPECT_EQ(rateSet, true);
    const auto seen = server.requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].target, "/hl.asp?from=USD&to=CNY&q=100");
}

TEST_F(CatalogueRateTest, AnyOtherPageLeavesTheRateAlone) {
    const std::string two = Row("USD", "rate", "CNY") + Row("100", "6.4512", "645.12");
    const std::vector<test::FakeReply> replies = {
        Page(200, Row("100", "6.4512", "645.12")),  // one row
        Page(200, two + Row("100", "7", "700")),    // three
        Page(200, ""),                              // empty
        Page(404, two),                             // an error page
    };
    for (const test::FakeReply& reply : replies) {
        server.replyAll(reply);
        EXPECT_EQ(Load(host()), 0) << reply.body;
        EXPECT_EQ(rateSet, false);
    }
    server.replyAll(Page(200, Row("USD", "rate", "CNY") + Row("100", "n/a", "-")));
    EXPECT_EQ(Load(host()), 0);  // a cell without a number is a rate of 0: none known
}

TEST_F(CatalogueRateTest, ARatePageThatNeverAnswersIsGivenUpInTime) {
    test::FakeReply silent;
    silent.silent = true;
    server.replyAll(silent);
    EXPECT_EQ(Load(host(), {std::chrono::milliseconds(500), std::chrono::milliseconds(800), 64 * 1024}), 0);
    EXPECT_EQ(rateSet, false);
}

TEST_F(CatalogueRateTest, NoHostAndNoDatabaseAskNothing) {
    EXPECT_EQ(Load(""), 0);
    EXPECT_EQ(rateSet, false);
    std::ofstream(data.files().categories, std::ios::trunc) << "db";
    rateSet.reset();
    EXPECT_EQ(Load(host()), 0);
    EXPECT_EQ(delivered, CatalogueLoad::Outcome::OpenFailed);
    EXPECT_FALSE(rateSet);  // the program is ending: no request
    EXPECT_TRUE(server.requests().empty());
}

}  // namespace
}  // namespace trelvix
