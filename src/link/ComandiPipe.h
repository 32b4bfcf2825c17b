#pragma once
// The packet codes of the pipe protocol, shared by the program and the
// companion process (plain C++, no Qt).
#include <cstdint>

enum ComandoPipe : int32_t {
    PIPE_QUIT = 1,
    PIPE_INIT = 2,
    PIPE_OPEN_PORT = 3,
    PIPE_SET_MODE = 4,
    PIPE_ECU_FRAME = 6,
    PIPE_SET_ECU_WAIT = 8,
    PIPE_PROBE_LIST = 10,
    PIPE_STREAM_BLOCK = 11,
    PIPE_HOST_NAME = 14,
    PIPE_RESET_PORT = 15,
};
