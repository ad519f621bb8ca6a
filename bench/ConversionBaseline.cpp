// The irreducible work of a conversion, as a yardstick: reads every number of a Turbomole
// orbital file (fields of 20 characters, D exponents) with strtod and prints each once
// with "%20.14lf".
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: baseline ORBITAL-FILE > OUTPUT\n");
        return 1;
    }
    FILE* in = std::fopen(argv[1], "rb");
    if (!in) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    char line[2048];
    while (std::fgets(line, sizeof line, in)) {
        if (line[0] == '$' || line[0] == '#') continue;
        char* eq = std::strchr(line, '=');
        if (eq) {  // an orbital line: its eigenvalue
            for (char* p = eq; *p; p++)
                if (*p == 'D') *p = 'E';
            std::printf("%20.14lf\n", std::strtod(eq + 1, nullptr));
            continue;
        }
        size_t length = std::strcspn(line, "\r\n");
        for (size_t start = 0; start + 20 <= length; start += 20) {
            char field[21];
            std::memcpy(field, line + start, 20);
            field[20] = '\0';
            for (char* p = field; *p; p++)
                if (*p == 'D') *p = 'E';
            std::printf("%20.14lf\n", std::strtod(field, nullptr));
        }
    }
    std::fclose(in);
    return 0;
}
