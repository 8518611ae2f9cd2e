// The portable window toolkit: descriptions, handler binding, the error display and a window's life.
#include <gtest/gtest.h>

#include "platform/Dialogs.h"
#include "platform/ToolkitForms.h"
#include "support/TestSupport.h"

using testing_support::MessageBoxScript;

namespace toolkit_tests {
namespace {

TEST(Toolkit, DerivedDescriptionListsOnlyDifferences) {
    auto form = Form::Create<DerivedForm>();
    EXPECT_EQ(form->Caption(), "Derived");
    std::vector<std::string> names;
    for (const auto& c : form->Components()) names.push_back(c->Name());
    EXPECT_EQ(names, (std::vector<std::string>{"Button", "Title", "Help", "TopBorder", "LeftBorder", "Menu",
                                               "Switch", "Images", "Box"}));
    auto& help = form->Find<Memo>("Help");
    EXPECT_EQ(help.Lines(), (std::vector<std::string>{"one", "two"}));
    EXPECT_FALSE(help.Visible()) << "inherited properties stay";
    auto& box = form->Find<CheckBox>("Box");
    EXPECT_EQ(box.GetAnchors(), kDefaultAnchors) << "unlisted anchors are left and top";
    EXPECT_EQ(box.GetColor(), kWhite) << "a checkbox takes the window's colour";
    EXPECT_EQ(&box.GetFont(), &form->GetFont());
    EXPECT_FALSE(box.ShowHint());
    EXPECT_EQ(form->ClientSize().width, 200);
    EXPECT_EQ(form->ClientSize().height, 100);
}

TEST(Toolkit, HandlersBindByNameAndTheDerivedOneWins) {
    auto form = Form::Create<DerivedForm>();
    EXPECT_EQ(form->calls, (std::vector<std::string>{"base create", "base create done"}));
    form->Input().ClickControl(form->Find<SpeedButton>("Button"));
    EXPECT_EQ(form->calls.back(), "derived button");
    EXPECT_EQ(form->box, &form->Find<CheckBox>("Box")) << "a published component, set at load";
}

// Every name is checked at load, on both sides: one that matches nothing fails the load, named.
TEST(Toolkit, ANameThatMatchesNothingFailsTheLoad) {
    Properties misspeltClick;
    misspeltClick.onClick = "ButonClick";
    const FormDescription misspelt = {"frmMisspelt", &kBase, {}, {{nullptr, "Button", misspeltClick}}};
    struct Misnamed : BaseForm {
        CheckBox* box = nullptr;
        Misnamed(const FormDescription& d, const char* handler, const char* component) : BaseForm(d) {
            if (*handler) Publish(handler, [](Component*) {});
            if (*component) Publish(component, box);
        }
    };
    const struct {
        const FormDescription* description;
        const char *handler, *component, *error;
    } cases[] = {
        {&misspelt, "", "", "Event handler not found: ButonClick"},
        {&kBase, "SwichClick", "", "Event handler not used: SwichClick"},
        {&kBase, "", "Bx", "Component not found: Bx"},
        {&kBase, "", "Title", "Component not found: Title"},  // there, but no checkbox
    };
    for (const auto& c : cases) {
        try {
            Form::Create<Misnamed>(*c.description, c.handler, c.component);
            ADD_FAILURE() << "loaded despite " << c.error;
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), c.error);
        }
    }
}

TEST(Toolkit, ErrorInCreationHandlerIsShownAndConstructionGoesOn) {
    struct Failing : BaseForm {
        Failing() { failInCreate = true; }
    };
    MessageBoxScript boxes;
    auto form = Form::Create<Failing>();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->calls, (std::vector<std::string>{"base create"}));
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Error), (std::vector<std::string>{"creation failed"}));
}

TEST(Toolkit, ShowRunsTheShowHandlerOnlyWhenTheWindowWasHidden) {
    auto form = Form::Create<BaseForm>();
    EXPECT_FALSE(form->Visible());
    form->Show();
    form->Show();
    EXPECT_TRUE(form->Visible());
    form->Close();
    EXPECT_FALSE(form->Visible()) << "closing hides";
    form->Show();
    EXPECT_EQ(std::count(form->calls.begin(), form->calls.end(), "base show"), 2);
}

TEST(Toolkit, ReferencesResolveAfterAllComponentsExistAndRemovalClearsThem) {
    auto form = Form::Create<BaseForm>();
    auto& menu = form->Find<PopupMenu>("Menu");
    ASSERT_EQ(menu.Items().size(), 1u);
    EXPECT_EQ(menu.Items()[0]->Caption(), "Switch");
    EXPECT_EQ(form->GetPopupMenu(), &menu);

    struct Watcher : Component {
        Component* watched = nullptr;
        using Component::Component;
        void Notification(Component* c, Operation op) override {
            if (op == Operation::Remove && c == watched) watched = nullptr;
        }
    };
    Watcher watcher(nullptr, "watcher");
    {
        auto other = Form::Create<BaseForm>();
        watcher.watched = other.get();
        other->FreeNotification(&watcher);
    }
    EXPECT_EQ(watcher.watched, nullptr);
}

TEST(Toolkit, ErrorInAHostCommandIsShownAndProcessingGoesOn) {
    struct Throwing : BaseForm {
        void HostCommand(std::int32_t code, std::int32_t) override {
            if (code == 1) throw RangeError();
        }
    };
    MessageBoxScript boxes;
    auto form = Form::Create<Throwing>();
    form->ReceiveHostCommand(1, 0);
    form->ReceiveHostCommand(2, 0);
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Error), (std::vector<std::string>{"Range check error"}));
}

TEST(Toolkit, ReleaseWaitsUntilTheCommandHasBeenHandled) {
    struct Releasing : BaseForm {
        bool* handledAfterRelease = nullptr;
        void HostCommand(std::int32_t code, std::int32_t) override {
            if (code != 3) return;
            Release();
            *handledAfterRelease = true;  // still alive inside its own message
        }
    };
    std::unique_ptr<Releasing> form = Form::Create<Releasing>();
    bool handled = false;
    form->handledAfterRelease = &handled;
    form->SetReleaseHandler([&] { Retire(std::move(form)); });
    form->ReceiveHostCommand(3, 0);
    EXPECT_TRUE(handled);
    EXPECT_EQ(form, nullptr);
}

TEST(Toolkit, ConfirmIsTrueOnlyForYes) {
    MessageBoxScript boxes(true);
    EXPECT_TRUE(Confirm("Sure?"));
    boxes.AnswerYes(false);
    EXPECT_FALSE(Confirm("Sure?"));
    ShowMessage("Plain");
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Confirm).size(), 2u);
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Plain), (std::vector<std::string>{"Plain"}));
}

TEST(Toolkit, TextsAreCodePage1252Bytes) {
    const std::string german = "Änderungen läßt Gültig Möglichkeit";
    EXPECT_EQ(german, "\xC4nderungen l\xE4\xDFt G\xFCltig M\xF6glichkeit");
}

// Typed lookup tells classes apart by their own tag: one without would be taken for its base.
struct Untagged : SpeedButton {
    using SpeedButton::SpeedButton;
};
static_assert(!kHasOwnComponentClass<Untagged>, "Form::Find refuses a class without its own tag");
static_assert(kHasOwnComponentClass<SpeedButton> && kHasOwnComponentClass<Component>);

}  // namespace
}  // namespace toolkit_tests
