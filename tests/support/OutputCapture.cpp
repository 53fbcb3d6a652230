#include "OutputCapture.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <unistd.h>

namespace {

int makeTempFile() {
    char name[] = "/tmp/talmorak-capture-XXXXXX";
    int fd = mkstemp(name);
    unlink(name);
    return fd;
}

std::string readAll(int fd) {
    std::string text;
    lseek(fd, 0, SEEK_SET);
    char buffer[4096];
    ssize_t count;
    while ((count = read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<size_t>(count));
    return text;
}

} // namespace

OutputCapture::OutputCapture() {
    std::cout.flush();
    std::cerr.flush();
    fflush(stdout);
    fflush(stderr);
    savedOut = dup(STDOUT_FILENO);
    savedErr = dup(STDERR_FILENO);
    outFile = makeTempFile();
    errFile = makeTempFile();
    dup2(outFile, STDOUT_FILENO);
    dup2(errFile, STDERR_FILENO);
}

OutputCapture::~OutputCapture() {
    finish();
}

void OutputCapture::finish() {
    if (finished)
        return;
    finished = true;
    std::cout.flush();
    std::cerr.flush();
    fflush(stdout);
    fflush(stderr);
    dup2(savedOut, STDOUT_FILENO);
    dup2(savedErr, STDERR_FILENO);
    close(savedOut);
    close(savedErr);
    outText = readAll(outFile);
    errText = readAll(errFile);
    close(outFile);
    close(errFile);
}

const std::string& OutputCapture::out() {
    finish();
    return outText;
}

const std::string& OutputCapture::err() {
    finish();
    return errText;
}
