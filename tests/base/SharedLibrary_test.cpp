// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Exceptions.h"
#include "base/SharedLibrary.h"
#include "tests/support/TestSupport.h"

using namespace twl;

// A function is had from a library opened at the first request; a library
// or a function that cannot be had is an error that names it, and asking
// again fails the same way.
TEST(SharedLibrary, OpensOnFirstUseAndNamesWhatIsMissing) {
    SharedLibrary math("libm.so.6");
    EXPECT_EQ(math.function<double (*)(double)>("cos")(0.0), 1.0);
    EXPECT_EQ(math.function<double (*)(double)>("fabs")(-2.5), 2.5);
    SharedLibrary missing("libtwl-missing.so.1");
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            math.function<void (*)()>("no_such_function");
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_EQ(e.message(), "libm.so.6 has no function no_such_function");
        }
        try {
            missing.function<void (*)()>("f");
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_TRUE(e.message().startsWith("cannot load libtwl-missing.so.1: ")) << e.message();
        }
    }
}
