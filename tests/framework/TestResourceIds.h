#pragma once

// Ids of the framework tests' resources, shared by framework_tests.rc and the tests.
#define IDB_TEST_BITMAP 101
#define ID_TEST_NEW 61000
#define ID_TEST_SAVE 61001
#define ID_TEST_TILE 61100
#define ID_TEST_ACCELERATOR 61005
