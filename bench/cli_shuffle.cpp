// Shuffles the lines of standard input with the random-order window's shuffle
// and writes them to standard output, one per line ending in LF, so that the
// shuffle can be timed as a whole process beside other line shufflers.
// Standard input is read as the window's text, with one difference: a final LF
// ends the last line (as in any text file) instead of adding an empty line.

#include "tools/LineShuffle.h"

#include "framework/Values.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <string_view>

#include <sys/stat.h>
#include <unistd.h>

namespace {

bool ReadAll(int fd, std::string& data)
{
    struct stat info { };
    size_t capacity = 1 << 16;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
        capacity = static_cast<size_t>(info.st_size) + 1;
    data.resize(capacity);
    size_t size = 0;
    for (;;) {
        if (size == data.size())
            data.resize(data.size() * 2);
        const ssize_t got = read(fd, data.data() + size, data.size() - size);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        size += static_cast<size_t>(got);
    }
    data.resize(size);
    return true;
}

bool WriteAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t put = write(fd, data.data(), data.size());
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data.remove_prefix(static_cast<size_t>(put));
    }
    return true;
}

}

int main()
{
    std::string input;
    if (!ReadAll(STDIN_FILENO, input)) {
        std::perror("cli_shuffle: read");
        return 1;
    }
    if (input.empty())
        return 0;
    std::string_view text = input;
    if (!text.empty() && text.back() == '\n')
        text.remove_suffix(1);

    auto shuffled = ShuffleLines(text, fw::Rnd);
    std::string output = shuffled ? std::move(*shuffled) : std::string(text);
    // Items hold no CR, so every CR left is a break between two of them.
    // (A plain select, unlike std::replace, becomes vector code.)
    for (char& c : output)
        c = c == '\r' ? '\n' : c;
    if (!WriteAll(STDOUT_FILENO, output) || !WriteAll(STDOUT_FILENO, "\n")) {
        std::perror("cli_shuffle: write");
        return 1;
    }
    return 0;
}
