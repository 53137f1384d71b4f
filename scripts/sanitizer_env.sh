# The sanitizer settings shared by scripts/test and scripts/fuzz (sourced).
_san_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:check_initialization_order=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$_san_root/scripts/lsan.supp:print_suppressions=0
export QT_QPA_PLATFORM=offscreen
unset _san_root
