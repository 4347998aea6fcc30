# Sourced by the test scripts: compile through ccache, keyed on paths relative to this
# checkout, so a rebuild after a small change (or in a second checkout of the tree, as in a
# git worktree) reuses every object whose source did not change.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
ccache_options=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
