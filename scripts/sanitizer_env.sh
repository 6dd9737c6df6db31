# The sanitizers' settings for the tests in build-asan/: leaks checked, no error let through, and
# the stacks of leaks unwound slowly, since Qt's libraries keep no frame pointers and the
# suppressions name frames inside them. Source it from the repository's root.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:fast_unwind_on_malloc=0
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
