#include "framework/ClassRecord.h"
#include "framework/Exceptions.h"
#include "framework/Object.h"

#include <gtest/gtest.h>

#include <memory>

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
