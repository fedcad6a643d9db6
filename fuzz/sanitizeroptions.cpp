// Linked into every fuzz target: undefined behaviour stops the fuzzer like a crash, so
// libFuzzer keeps the input, instead of printing a line and going on.

extern "C" const char *__ubsan_default_options()
{
    return "halt_on_error=1:print_stacktrace=1";
}
