// Records its arguments (one per line, after its own path and working folder) into the file
// named by TAV_RECORD_FILE, sleeps TAV_RECORD_SLEEP_MS, and exits with TAV_RECORD_EXIT.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const char* path = std::getenv("TAV_RECORD_FILE");
    if (path) {
        std::string out = std::string(argv[0]) + "\n";
        char cwd[4096];
        out += (getcwd(cwd, sizeof cwd) ? cwd : "?");
        out += "\n";
        for (int i = 1; i < argc; ++i) out += std::string(argv[i]) + "\n";
        std::string tmp = std::string(path) + ".tmp";
        if (FILE* f = std::fopen(tmp.c_str(), "wb")) {
            std::fwrite(out.data(), 1, out.size(), f);
            std::fclose(f);
            std::rename(tmp.c_str(), path);
        }
    }
    if (const char* ms = std::getenv("TAV_RECORD_SLEEP_MS"))
        usleep(static_cast<useconds_t>(std::atoi(ms)) * 1000);
    const char* code = std::getenv("TAV_RECORD_EXIT");
    return code ? std::atoi(code) : 0;
}
