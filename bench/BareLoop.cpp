/* tr8kz-bare-loop: the floor the benchmark measures the programs against.
 * Plain C (built as C++ with the rest) and termios, no Qt: opens the device raw, sends the exchanges that
 * `tr8kz datalog capture` or `tr8kz setups archive` sends (identification,
 * then one request per record or setup, then remote mode off), reads each
 * reply up to its CR LF with blocking reads, and writes the replies to a
 * file. It decodes nothing. The file is written as safely as the program
 * writes its own: beside the target, flushed to the disk, then renamed over
 * it (a careful C program owes the operator that much too).
 *
 *   tr8kz-bare-loop DEVICE capture|archive COUNT OUTPUT
 *   tr8kz-bare-loop DEVICE    (opens the device raw and closes it: the
 *                              start-up of a C program with the port)
 */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <termios.h>
#include <unistd.h>

static char reply[1 << 17];

static size_t exchange(int fd, const char* command)
{
    char line[64];
    const int length = snprintf(line, sizeof line, "%s\r", command);
    if (write(fd, line, (size_t)length) != length) {
        perror("write");
        exit(1);
    }
    size_t have = 0;
    for (;;) {
        const ssize_t got = read(fd, reply + have, sizeof reply - have);
        if (got <= 0) {
            perror("read");
            exit(1);
        }
        have += (size_t)got;
        if (have >= 2 && reply[have - 2] == '\r' && reply[have - 1] == '\n') return have;
        if (have == sizeof reply) {
            fputs("reply too long\n", stderr);
            exit(1);
        }
    }
}

int main(int argc, char** argv)
{
    if ((argc != 2 && argc != 5) || (argc == 5 && strcmp(argv[2], "capture") != 0 && strcmp(argv[2], "archive") != 0)) {
        fputs("usage: tr8kz-bare-loop DEVICE [capture|archive COUNT OUTPUT]\n", stderr);
        return 2;
    }
    const int fd = open(argv[1], O_RDWR | O_NOCTTY);
    if (fd < 0) {
        perror(argv[1]);
        return 1;
    }
    struct termios mode;
    if (tcgetattr(fd, &mode) != 0) {
        perror("tcgetattr");
        return 1;
    }
    cfmakeraw(&mode);
    mode.c_cc[VMIN] = 1;
    mode.c_cc[VTIME] = 0;
    tcsetattr(fd, TCSANOW, &mode);
    tcflush(fd, TCIFLUSH);
    if (argc == 2) return close(fd) == 0 ? 0 : 1;
    const int count = atoi(argv[3]);
    char partial[4096];
    snprintf(partial, sizeof partial, "%s.XXXXXX", argv[4]);
    const int outFd = mkstemp(partial);
    FILE* out = outFd < 0 ? NULL : fdopen(outFd, "wb");
    if (!out) {
        perror(partial);
        return 1;
    }

    exchange(fd, "R");
    exchange(fd, "+1");
    exchange(fd, "#");
    const int capture = strcmp(argv[2], "capture") == 0;
    if (capture) exchange(fd, "D0001");
    for (int i = 0; i < count; ++i) {
        char command[16];
        snprintf(command, sizeof command, capture ? "S1%04X" : "P1%04X", i);
        fwrite(reply, 1, exchange(fd, command), out);
    }
    exchange(fd, "+");
    if (fflush(out) != 0 || fdatasync(outFd) != 0 || fclose(out) != 0 || rename(partial, argv[4]) != 0) {
        perror(argv[4]);
        return 1;
    }
    close(fd);
    return 0;
}
