# Sourced by the scripts: compiler cache outside the checkout, parallelism.
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/kit-ccache}"
export CCACHE_MAXSIZE="${CCACHE_MAXSIZE:-8G}"
export CCACHE_BASEDIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export CCACHE_NOHASHDIR=1
# The clang builds use precompiled headers: the cache may ignore the macros a
# header defines and the time macros, or it would never hit on their users.
export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:-pch_defines,time_macros}"
KIT_JOBS="${KIT_JOBS:-$(nproc)}"
