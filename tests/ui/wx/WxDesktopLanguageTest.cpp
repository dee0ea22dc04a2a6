// The toolkit on a Chinese desktop whose numbers use a decimal comma: the
// toolkit's own dialogs speak Chinese, while every number the program writes
// or reads keeps the C form. The process starts the toolkit under that
// environment, so these checks have a test program of their own.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <locale.h>

#include <clocale>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <wx/dialog.h>
#include <wx/modalhook.h>
#include <wx/string.h>

#include "DesktopTest.h"
#include "TestSupport.h"
#include "common/text/Gbk.h"
#include "ui/wx/WxWindow.h"

namespace trelvix::ui {
namespace {

constexpr const char* kDesktopLanguage = "zh_CN.UTF-8";
constexpr const char* kCommaNumbers = "de_DE.UTF-8";

bool LocaleInstalled(const char* name) {
    locale_t l = newlocale(LC_ALL_MASK, name, static_cast<locale_t>(0));
    if (!l) return false;
    freelocale(l);
    return true;
}

// The texts of every label inside a native dialog. The file dialog is the
// desktop's own (GTK), with no toolkit window inside, so its widgets are read
// through the GTK library the toolkit has loaded.
class NativeLabels {
public:
    NativeLabels()
        : isA_(Find<int (*)(void*, unsigned long)>("g_type_check_instance_is_a")),
          labelType_(Find<unsigned long (*)()>("gtk_label_get_type")),
          containerType_(Find<unsigned long (*)()>("gtk_container_get_type")),
          text_(Find<const char* (*)(void*)>("gtk_label_get_label")),
          forAll_(Find<void (*)(void*, void (*)(void*, void*), void*)>("gtk_container_forall")) {}

    bool usable() const { return isA_ && labelType_ && containerType_ && text_ && forAll_; }

    std::vector<std::string> of(void* widget) const {
        Walk walk{*this, {}};
        visit(widget, &walk);
        return walk.texts;
    }

private:
    struct Walk {
        const NativeLabels& self;
        std::vector<std::string> texts;
    };
    template <class F>
    static F Find(const char* name) {
        return reinterpret_cast<F>(dlsym(RTLD_DEFAULT, name));
    }
    static void visit(void* widget, void* walkPointer) {
        auto* walk = static_cast<Walk*>(walkPointer);
        const NativeLabels& s = walk->self;
        if (s.isA_(widget, s.labelType_())) {
            if (const char* t = s.text_(widget)) walk->texts.emplace_back(t);
        }
        if (s.isA_(widget, s.containerType_())) s.forAll_(widget, &NativeLabels::visit, walk);
    }

    int (*isA_)(void*, unsigned long);
    unsigned long (*labelType_)();
    unsigned long (*containerType_)();
    const char* (*text_)(void*);
    void (*forAll_)(void*, void (*)(void*, void*), void*);
};

// Reads a dialog's labels as it is about to show, then cancels it.
class ReadAndCancel final : public wxModalDialogHook {
public:
    explicit ReadAndCancel(const NativeLabels& labels) : labels_(labels) { Register(); }
    ~ReadAndCancel() override { Unregister(); }
    std::vector<std::string> texts;

protected:
    int Enter(wxDialog* dialog) override {
        texts = labels_.of(dialog->GetHandle());
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}

private:
    const NativeLabels& labels_;
};

// The toolkit takes the desktop's language when it starts, so the
// environment is set before the first test starts it.
class ChineseDesktop : public test::DesktopTest {
protected:
    static void SetUpTestSuite() {
        if (!LocaleInstalled(kDesktopLanguage) || !LocaleInstalled(kCommaNumbers)) return;
        // A Chinese desktop with German numbers, as the user's environment gives it.
        unsetenv("LC_ALL");
        unsetenv("LANGUAGE");
        unsetenv("LC_MESSAGES");
        setenv("LANG", kDesktopLanguage, 1);
        setenv("LC_NUMERIC", kCommaNumbers, 1);
    }
    void SetUpOnDesktop() override {
        TRELVIX_NEED(LocaleInstalled(kDesktopLanguage) && LocaleInstalled(kCommaNumbers),
                     std::string("locale data for ") + kDesktopLanguage + " and " + kCommaNumbers);
    }
};

bool AnyContains(const std::vector<std::string>& texts, const std::string& part) {
    for (const std::string& t : texts)
        if (t.find(part) != std::string::npos) return true;
    return false;
}

TEST_F(ChineseDesktop, TheFileDialogsSpeakTheDesktopsLanguage) {
    NativeLabels labels;
    ASSERT_TRUE(labels.usable());
    for (const bool save : {true, false}) {
        SCOPED_TRACE(save ? "save" : "open");
        ReadAndCancel reader(labels);
        FileDialogRequest request;
        request.save = save;
        request.initialDir = std::filesystem::temp_directory_path();
        EXPECT_FALSE(wx_->fileDialog(request).has_value());
        ASSERT_FALSE(reader.texts.empty());
        EXPECT_TRUE(AnyContains(reader.texts, "取消")) << "no Chinese cancel button";
        if (save) {
            EXPECT_TRUE(AnyContains(reader.texts, "名称")) << "no Chinese name field";
        }
        for (const char* english : {"_Cancel", "_Name:", "_Open", "_Save"})
            EXPECT_FALSE(AnyContains(reader.texts, english)) << english;
    }
}

TEST_F(ChineseDesktop, NumbersKeepTheCFormWhateverTheDesktopWrites) {
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    EXPECT_STREQ(std::setlocale(LC_CTYPE, nullptr), "C");
    EXPECT_STREQ(std::localeconv()->decimal_point, ".");
    // The paths the program writes and reads numbers through.
    EXPECT_EQ(NumberToText(23.2), "23.2");
    EXPECT_EQ(RoundHalfAway(2.675, 2), 2.68);
    EXPECT_EQ(std::to_string(0.5), "0.500000");
    EXPECT_EQ(wxString::Format("%.1f", 2.5), "2.5");
    EXPECT_EQ(std::strtod("1.5", nullptr), 1.5);
}

}  // namespace
}  // namespace trelvix::ui
