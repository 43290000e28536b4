// Removes a file as soon as a process has opened and closed it once, to put a file's
// disappearance between a program's check of it and its read:
//   tav_remove_on_close <file> <ready file>
// The ready file is created once the watch is set; the program ends after the removal (status 0)
// or after 60 seconds without a close (status 1).
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tav_remove_on_close <file> <ready file>\n");
        return 64;
    }
    const int fd = inotify_init1(IN_CLOEXEC);
    if (fd < 0 || inotify_add_watch(fd, argv[1], IN_CLOSE_NOWRITE | IN_CLOSE_WRITE) < 0) {
        std::perror("tav_remove_on_close");
        return 1;
    }
    if (FILE* ready = std::fopen(argv[2], "w")) std::fclose(ready);
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 60000) != 1) return 1;
    if (unlink(argv[1]) != 0) {
        std::perror("tav_remove_on_close");
        return 1;
    }
    return 0;
}
