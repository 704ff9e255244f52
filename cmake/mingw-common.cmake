# The posix thread model gives the standard library its threads and mutexes;
# it and winpthread are linked statically so Zarn2.ocx stands alone.
set(CMAKE_C_COMPILER ${ZARN_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZARN_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZARN_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ZARN_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
