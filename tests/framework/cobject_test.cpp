#include <memory>
#include <type_traits>

#include <gtest/gtest.h>

#include <vedrix/framework.h>

#include "shapes.h"

// A class of this program derived from a class of another library.
class CCircle : public CShape {
    DECLARE_DYNAMIC(CCircle)

public:
    CCircle() : CShape(0) {}
};
IMPLEMENT_DYNAMIC(CCircle, CShape)

// Declares no run-time class of its own: it reports its base's.
class CPlainSquare : public CSquare {};

TEST(RuntimeClass, IsKindOfFollowsTheWholeHierarchy) {
    CSquare square;
    CCircle circle;
    EXPECT_TRUE(square.IsKindOf(RUNTIME_CLASS(CSquare)));
    EXPECT_TRUE(square.IsKindOf(RUNTIME_CLASS(CPolygon)));
    EXPECT_TRUE(square.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(square.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(circle.IsKindOf(RUNTIME_CLASS(CPolygon)));
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CShape)));

    const std::unique_ptr<CObject> polygon(RUNTIME_CLASS(CPolygon)->CreateObject());
    EXPECT_TRUE(polygon->IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_FALSE(polygon->IsKindOf(RUNTIME_CLASS(CSquare)));

    EXPECT_TRUE(RUNTIME_CLASS(CSquare)->IsDerivedFrom(RUNTIME_CLASS(CShape)));
    EXPECT_FALSE(RUNTIME_CLASS(CShape)->IsDerivedFrom(RUNTIME_CLASS(CSquare)));
    EXPECT_FALSE(RUNTIME_CLASS(CObject)->IsDerivedFrom(RUNTIME_CLASS(CShape)));
}

TEST(RuntimeClass, DescribesTheMostDerivedDeclaredClass) {
    CSquare square;
    const CObject& object = square;
    const CRuntimeClass* pClass = object.GetRuntimeClass();
    EXPECT_STREQ(pClass->m_lpszClassName, "CSquare");
    EXPECT_EQ(pClass->m_nObjectSize, static_cast<int>(sizeof(CSquare)));
    ASSERT_EQ(pClass->m_pBaseClass, RUNTIME_CLASS(CPolygon));
    EXPECT_EQ(pClass->m_pBaseClass->m_pBaseClass->m_pBaseClass, RUNTIME_CLASS(CObject));
    EXPECT_EQ(RUNTIME_CLASS(CObject)->m_pBaseClass, nullptr);

    CPlainSquare plain;
    EXPECT_EQ(plain.GetRuntimeClass(), RUNTIME_CLASS(CSquare));

    CObList list;
    CUIntArray array;
    EXPECT_STREQ(list.GetRuntimeClass()->m_lpszClassName, "CObList");
    EXPECT_STREQ(array.GetRuntimeClass()->m_lpszClassName, "CUIntArray");
    EXPECT_TRUE(array.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(array.IsKindOf(RUNTIME_CLASS(CObList)));
}

TEST(RuntimeClass, DynamicDowncastGivesNullForTheWrongKind) {
    CSquare square;
    CCircle circle;
    CObject* pSquare = &square;
    CObject* pCircle = &circle;
    EXPECT_EQ(DYNAMIC_DOWNCAST(CPolygon, pSquare), &square);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CSquare, pSquare), &square);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CPolygon, pCircle), nullptr);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CShape, pCircle), &circle);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CObList, pCircle), nullptr);
    CObject* pNull = nullptr;
    EXPECT_EQ(DYNAMIC_DOWNCAST(CShape, pNull), nullptr);

    const CObject* pConst = &square;
    auto pConstSquare = DYNAMIC_DOWNCAST(CSquare, pConst);
    static_assert(std::is_same_v<decltype(pConstSquare), const CSquare*>);
    EXPECT_EQ(pConstSquare, &square);

    EXPECT_EQ(STATIC_DOWNCAST(CShape, pCircle), &circle);
    EXPECT_EQ(STATIC_DOWNCAST(CShape, pNull), nullptr);
}

#ifndef NDEBUG
TEST(RuntimeClassDeathTest, StaticDowncastToTheWrongKindAssertsInDebugBuilds) {
    CCircle circle;
    CObject* pCircle = &circle;
    EXPECT_DEATH(STATIC_DOWNCAST(CSquare, pCircle), "assertion failed");
}
#endif

TEST(RuntimeClass, FindsRegisteredClassesByName) {
    EXPECT_EQ(CRuntimeClass::FromName("CSquare"), RUNTIME_CLASS(CSquare));
    EXPECT_EQ(CRuntimeClass::FromName("CShape"), RUNTIME_CLASS(CShape));
    EXPECT_EQ(CRuntimeClass::FromName("CCircle"), RUNTIME_CLASS(CCircle));
    EXPECT_EQ(CRuntimeClass::FromName("CObject"), RUNTIME_CLASS(CObject));
    EXPECT_EQ(CRuntimeClass::FromName("CObList"), RUNTIME_CLASS(CObList));
    EXPECT_EQ(CRuntimeClass::FromName("CSquar"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("csquare"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(nullptr), nullptr);
}

TEST(RuntimeClass, CreatesOnlyDynCreateClasses) {
    const std::unique_ptr<CObject> square(CRuntimeClass::FromName("CSquare")->CreateObject());
    ASSERT_NE(square, nullptr);
    EXPECT_EQ(square->GetRuntimeClass(), RUNTIME_CLASS(CSquare));
    EXPECT_EQ(static_cast<CSquare*>(square.get())->Corners(), 4);

    // Created through its protected default constructor.
    const std::unique_ptr<CObject> polygon(CRuntimeClass::CreateObject("CPolygon"));
    ASSERT_NE(polygon, nullptr);
    EXPECT_EQ(polygon->GetRuntimeClass(), RUNTIME_CLASS(CPolygon));
    EXPECT_EQ(DYNAMIC_DOWNCAST(CShape, polygon.get())->Corners(), 5);

    EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);
    EXPECT_EQ(RUNTIME_CLASS(CCircle)->CreateObject(), nullptr);
    EXPECT_EQ(CRuntimeClass::CreateObject("CNoSuchClass"), nullptr);
}
