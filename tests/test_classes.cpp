#include "framework/BevelButton.h"
#include "framework/ClassRecord.h"
#include "framework/EditField.h"
#include "framework/FileType.h"
#include "framework/Global.h"
#include "framework/Object.h"
#include "framework/PushButton.h"
#include "framework/Window.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace fw;

namespace {

struct Shape : Object {
    static const ClassRecord& Lookup()
    {
        static const ClassRecord record("Shapes.Shape", &Object::Lookup());
        return record;
    }
    const ClassRecord& Class() const override { return Lookup(); }
};

struct Circle : Shape {
    static const ClassRecord& Lookup()
    {
        static const ClassRecord record("Shapes.Circle", &Shape::Lookup());
        return record;
    }
    const ClassRecord& Class() const override { return Lookup(); }
};

const std::vector<std::string> kFrameworkOrder { "Object", "Application", "Window", "Control", "StaticText",
    "EditField", "PushButton", "Canvas", "MenuItem", "MenuBar", "QuitMenuItem", "AppleMenuItem", "Picture",
    "ResourceFork", "FileType" };

}

TEST(Classes, SubclassTestsFollowTheParentChain)
{
    EXPECT_TRUE(BevelButton::Lookup().IsSubclassOf(PushButton::Lookup()));
    EXPECT_TRUE(BevelButton::Lookup().IsSubclassOf(Control::Lookup()));
    EXPECT_TRUE(BevelButton::Lookup().IsSubclassOf(BevelButton::Lookup()));
    EXPECT_FALSE(PushButton::Lookup().IsSubclassOf(BevelButton::Lookup()));
    EXPECT_FALSE(BevelButton::Lookup().IsSubclassOf(EditField::Lookup()));
    EXPECT_FALSE(Window::Lookup().IsSubclassOf(Control::Lookup()));
    EXPECT_TRUE(Circle::Lookup().IsSubclassOf(Object::Lookup()));
    EXPECT_EQ(Object::Lookup().Parent(), nullptr);
}

TEST(Classes, IsAAndCheckedCasts)
{
    std::shared_ptr<Object> circle = std::make_shared<Circle>();
    std::shared_ptr<Object> plain = std::make_shared<Object>();
    std::shared_ptr<Object> nil;

    EXPECT_TRUE(IsA(circle.get(), Shape::Lookup()));
    EXPECT_FALSE(IsA(plain.get(), Shape::Lookup()));
    EXPECT_FALSE(IsA(nullptr, Object::Lookup()));

    EXPECT_EQ(CheckCast<Shape>(circle).get(), circle.get());
    EXPECT_EQ(CheckCast<Circle>(nil), nullptr);
    EXPECT_THROW(CheckCast<Shape>(plain), IllegalCastException);
    EXPECT_THROW(CheckCast<Circle>(*plain), IllegalCastException);
    try {
        CheckCast<Circle>(std::static_pointer_cast<Object>(std::make_shared<Shape>()));
        ADD_FAILURE() << "a Shape passed as a Circle";
    } catch (const IllegalCastException& error) {
        EXPECT_STREQ(error.what(), "Shapes.Shape is not a Shapes.Circle");
    }
}

TEST(Classes, RegistrationKeepsItsOrderAndBuildsEachRecordOnce)
{
    RegisterFrameworkClasses();
    EXPECT_EQ(ClassInfo::RegisteredNames(), kFrameworkOrder);
    EXPECT_EQ(ClassInfo::Find("BevelButton"), nullptr);   // a plug-in: registered later, by the runtime

    const ClassRecord* bevel = &BevelButton::Lookup();
    Circle::Lookup();
    RegisterFrameworkClasses();   // a second pass builds nothing new
    auto expected = kFrameworkOrder;
    expected.insert(expected.end(), { "BevelButton", "Shapes.Shape", "Shapes.Circle" });
    EXPECT_EQ(ClassInfo::RegisteredNames(), expected);
    EXPECT_EQ(ClassInfo::Find("BevelButton"), bevel);
    EXPECT_EQ(&BevelButton::Lookup(), bevel);
}

TEST(Classes, ReleasingTheMapsForgetsTheRegistryAndReportsEachRelease)
{
    std::vector<std::string> released;
    SetReleaseObserver([&](const std::string& name) { released.push_back(name); });
    RegisterFrameworkClasses();
    ClassInfo::ReleaseClassRefMap();
    ClassInfo::ReleaseClassFQNToRefMap();
    SetReleaseObserver({});

    EXPECT_EQ(released, (std::vector<std::string> { "Introspection.ClassInfo.sClassRefMap",
                            "Introspection.ClassInfo.sClassFQNToRefMap" }));
    EXPECT_TRUE(ClassInfo::RegisteredNames().empty());
    EXPECT_EQ(ClassInfo::Find("Object"), nullptr);
}

TEST(FileTypes, ConversionToTextRegistersOnceAndASetterTakesTheRegistrationBack)
{
    auto type = std::make_shared<FileType>();
    type->SetName("text");
    type->SetExtensions("");
    type->SetMacType("TEXT");
    type->SetMacCreator("R*ch");
    EXPECT_TRUE(type->ExtensionsSet());
    EXPECT_EQ(RegistrationCount(), 0);

    EXPECT_EQ(type->ToString(), "text");
    EXPECT_EQ(type->ToString(), "text");
    EXPECT_EQ(RegistrationCount(), 1);
    auto records = RegisteredFileTypes();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(std::tie(records[0].name, records[0].extensions, records[0].mac_type, records[0].mac_creator),
        std::tie("text", "", "TEXT", "R*ch"));

    type->SetMacType("TEXT");
    EXPECT_FALSE(type->IsRegistered());
    EXPECT_TRUE(RegisteredFileTypes().empty());
    type->ToString();
    EXPECT_EQ(RegistrationCount(), 2);
    type.reset();
    EXPECT_TRUE(RegisteredFileTypes().empty()) << "a file type that goes takes its registration along";
}
