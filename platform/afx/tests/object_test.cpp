// Run-time classes: names, base chains, IsKindOf and creation by name.
#include <gtest/gtest.h>

#include <memory>

#include "platform/afx/object.h"

namespace {

class Shape : public CObject {
    DECLARE_DYNAMIC(Shape)
};
IMPLEMENT_DYNAMIC(Shape, CObject)

class Circle : public Shape {
    DECLARE_DYNCREATE(Circle)
public:
    int radius = 7;
};
IMPLEMENT_DYNCREATE(Circle, Shape)

class Unrelated : public CObject {
    DECLARE_SERIAL(Unrelated)
};
IMPLEMENT_SERIAL(Unrelated, CObject, 2)

TEST(RuntimeClass, CreationByNameTable) {
    struct Case {
        const char* name;
        bool known;
        bool creatable;
    };
    const Case cases[] = {
        {"Circle", true, true},    {"Shape", true, false},                              // no default creation declared
        {"Unrelated", true, true}, {"CObject", true, false}, {"circle", false, false},  // names are exact
        {"", false, false},        {nullptr, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name ? c.name : "(null)");
        EXPECT_EQ(CRuntimeClass::FromName(c.name) != nullptr, c.known);
        std::unique_ptr<CObject> made(CRuntimeClass::CreateObject(c.name));
        EXPECT_EQ(made != nullptr, c.creatable);
        if (made) {
            EXPECT_STREQ(made->GetRuntimeClass()->m_lpszClassName, c.name);
        }
    }
}

TEST(RuntimeClass, KindFollowsTheBaseChain) {
    std::unique_ptr<CObject> circle(RUNTIME_CLASS(Circle)->CreateObject());
    ASSERT_TRUE(circle);
    EXPECT_TRUE(circle->IsKindOf(RUNTIME_CLASS(Circle)));
    EXPECT_TRUE(circle->IsKindOf(RUNTIME_CLASS(Shape)));
    EXPECT_TRUE(circle->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(circle->IsKindOf(RUNTIME_CLASS(Unrelated)));
    EXPECT_EQ(static_cast<Circle*>(circle.get())->radius, 7);

    EXPECT_EQ(DYNAMIC_DOWNCAST(Shape, circle.get()), circle.get());
    EXPECT_EQ(DYNAMIC_DOWNCAST(Unrelated, circle.get()), nullptr);
    EXPECT_EQ(DYNAMIC_DOWNCAST(Shape, static_cast<CObject*>(nullptr)), nullptr);

    EXPECT_FALSE(circle->IsSerializable());
    Unrelated stored;
    EXPECT_TRUE(stored.IsSerializable());
    EXPECT_EQ(RUNTIME_CLASS(Unrelated)->m_wSchema, 2u);
}

}  // namespace
