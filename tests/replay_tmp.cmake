# The scratch folder DIR of the fuzz replays: made empty before them (MODE=setup), and
# afterwards a failure when they left anything in it.
if(MODE STREQUAL "setup")
  file(REMOVE_RECURSE "${DIR}")
  file(MAKE_DIRECTORY "${DIR}")
else()
  file(GLOB left "${DIR}/*")
  if(left)
    message(FATAL_ERROR "The fuzz replays left behind: ${left}")
  endif()
endif()
