#include "jvm_harness.h"

int main(int argc, char** argv) { return qovintest::runAllTests(argc, argv); }
