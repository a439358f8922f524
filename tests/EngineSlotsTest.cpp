// What the comparison with the vendor's header (tests/enginesdk) cannot
// check, since both sides take it from mingw-w64's headers: the event token
// every add_/remove_ slot passes by value has the size the engine's binary
// interface gives it.
#include "engine/WebViewInterfaces.h"

#include <gtest/gtest.h>

TEST(EngineSlots, EventRegistrationTokenIsEightBytes) { EXPECT_EQ(sizeof(EventRegistrationToken), 8u); }
