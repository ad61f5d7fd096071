#pragma once
// Program fixture: the whole program of TestProgram for one test, with the input helpers.

#include "tests/support/input.h"
#include "tests/support/qt_print.h"
#include "tests/support/test_program.h"

#include <gtest/gtest.h>

class ProgramTest : public ::testing::Test, public TestProgram
{
protected:
    void SetUp() override { ASSERT_TRUE(build(browserFactory())); }
    void TearDown() override { program.reset(); }

    // The views the windows get; recording ones unless a test needs others.
    virtual TWebBrowserFactory& browserFactory() { return browsers; }
};
