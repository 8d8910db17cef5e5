#include "private_speech_server.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace earshot::test {

namespace {

std::filesystem::path makeScratch() {
    std::string pattern = (std::filesystem::temp_directory_path() / "earshot-speechd-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a scratch folder for the speech service");
    }
    return pattern;
}

bool accepts(const std::filesystem::path& socketPath) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
    const bool connected = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return connected;
}

std::chrono::steady_clock::time_point fromNs(long long ns) {
    return std::chrono::steady_clock::time_point(std::chrono::nanoseconds(ns));
}

}  // namespace

PrivateSpeechServer::PrivateSpeechServer() : root_(makeScratch()), socket_(root_ / "run" / "speechd.sock") {
    namespace fs = std::filesystem;
    for (const char* folder : {"config", "run", "home", "log", "cache"}) {
        fs::create_directory(root_ / folder);
    }
    fs::permissions(root_ / "run", fs::perms::owner_all);
    std::ofstream(root_ / "config" / "speechd.conf")
        << "# A private service for the tests: espeak-ng, played into silence in real time.\n"
        << "LogLevel 3\n"
        << "LogDir \"" << (root_ / "log").string() << "\"\n"
        << "AudioOutputMethod \"silent\"\n"
        << "AddModule \"espeak-ng\" \"sd_espeak-ng\" \"/etc/speech-dispatcher/modules/espeak-ng.conf\"\n"
        << "DefaultModule espeak-ng\n";

    const std::vector<std::string> environment = {
        "PATH=/usr/bin:/bin",
        "HOME=" + (root_ / "home").string(),
        "XDG_RUNTIME_DIR=" + (root_ / "run").string(),
        "XDG_CONFIG_HOME=" + (root_ / "config").string(),
        "XDG_CACHE_HOME=" + (root_ / "cache").string(),
        "SPEECHD_PLUGIN_DIR=" EARSHOT_SILENT_AUDIO_PLUGIN_DIR,
        "EARSHOT_SILENT_AUDIO_LOG=" + (root_ / "audio.log").string(),
    };
    const std::vector<std::string> arguments = {
        "speech-dispatcher", "--run-single", "--timeout", "0",
        "--config-dir", (root_ / "config").string(),
        "--communication-method", "unix_socket",
        "--socket-path", socket_.string(),
        "--pid-file", (root_ / "run" / "speechd.pid").string(),
        "--log-dir", (root_ / "log").string(),
    };
    std::vector<char*> argv;
    for (const auto& a : arguments) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const auto& e : environment) {
        envp.push_back(const_cast<char*>(e.c_str()));
    }
    envp.push_back(nullptr);

    const std::string output = (root_ / "log" / "server-output.txt").string();
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ == 0) {
        // Only async-signal-safe calls from here to exec. A group of its
        // own, so that the module dies with it; and it dies with this
        // process, should a test crash before it could clean up.
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) {
            _exit(125);
        }
        const int in = open("/dev/null", O_RDONLY | O_CLOEXEC);
        const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (in < 0 || out < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(out, 2) < 0) {
            _exit(126);
        }
        execve("/usr/bin/speech-dispatcher", argv.data(), envp.data());
        _exit(127);
    }
    if (pid_ < 0) {
        pid_ = -1;
        giveUp(std::string("cannot start /usr/bin/speech-dispatcher: ") + std::strerror(errno));
    }
    // The parent sets the group too, so that a kill right away finds it.
    setpgid(pid_, pid_);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!accepts(socket_)) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            giveUp("the private speech service ended at start\n" + logTail());
        }
        if (std::chrono::steady_clock::now() > deadline) {
            giveUp("the private speech service took no connection within 10 s\n" + logTail());
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void PrivateSpeechServer::giveUp(const std::string& why) {
    kill();
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
    ADD_FAILURE() << why;
    throw std::runtime_error("no private speech service");
}

PrivateSpeechServer::~PrivateSpeechServer() {
    kill();
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::string PrivateSpeechServer::address() const {
    return "unix_socket:" + socket_.string();
}

void PrivateSpeechServer::useFromThisProcess() const {
    setenv("SPEECHD_ADDRESS", address().c_str(), 1);
}

void PrivateSpeechServer::kill() {
    if (pid_ <= 0) {
        return;
    }
    // The whole group: the service and the module it started.
    ::kill(-pid_, SIGKILL);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
}

void PrivateSpeechServer::freeze() {
    if (pid_ > 0) {
        ::kill(-pid_, SIGSTOP);
    }
}

std::vector<PlayedPiece> PrivateSpeechServer::played() const {
    std::vector<PlayedPiece> pieces;
    std::ifstream log(root_ / "audio.log");
    long long start = 0;
    long long end = 0;
    int frames = 0;
    int rate = 0;
    while (log >> start >> end >> frames >> rate) {
        pieces.push_back({fromNs(start), fromNs(end), frames, rate});
    }
    return pieces;
}

std::string PrivateSpeechServer::logTail() const {
    std::ostringstream text;
    for (const char* name : {"server-output.txt", "speech-dispatcher.log", "espeak-ng.log"}) {
        std::ifstream file(root_ / "log" / name);
        std::string all((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        text << "--- " << name << ":\n" << (all.size() > 3000 ? all.substr(all.size() - 3000) : all) << "\n";
    }
    return text.str();
}

double secondsOf(const std::vector<PlayedPiece>& pieces) {
    double total = 0;
    for (const auto& piece : pieces) {
        total += piece.seconds();
    }
    return total;
}

}  // namespace earshot::test
