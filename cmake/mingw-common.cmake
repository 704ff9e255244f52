# The win32 thread model: the run time links no thread library of its own
# (winpthread keeps a TLS slot and handles a DLL never gets back when it is
# freed), so std::thread and std::mutex do not exist; the code uses Win32
# threads and SRWLOCKs, and thread_local is served by
# src/platform/win/ThreadStorage.cpp. The run time is linked statically so
# Zarn2.ocx stands alone.
set(CMAKE_C_COMPILER ${ZARN_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${ZARN_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${ZARN_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ZARN_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
