/* The peers of bench/peers/run.py, each over a whole text in memory.
 *
 *   peers opencc CONFIG FILE RUNS       OpenCC's C API, e.g. CONFIG s2t.json
 *   peers iconv FROM TO FILE RUNS       glibc iconv(), e.g. GBK UTF-8
 *
 * Only the conversion call is timed (not opening, reading or freeing). Prints
 * "INPUT_BYTES MEDIAN_SECONDS OUTPUT_BYTES". */

#define _POSIX_C_SOURCE 200809L
#include <errno.h>
#include <iconv.h>
#include <opencc.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

enum { kMaxRuns = 100 };

static char* readFile(const char* path, size_t* size) {
    FILE* file = fopen(path, "rb");
    if (!file) {
        fprintf(stderr, "peers: cannot open %s: %s\n", path, strerror(errno));
        exit(66);
    }
    fseek(file, 0, SEEK_END);
    *size = (size_t)ftell(file);
    rewind(file);
    char* text = malloc(*size + 1);
    if (!text || fread(text, 1, *size, file) != *size) {
        fprintf(stderr, "peers: cannot read %s\n", path);
        exit(74);
    }
    text[*size] = '\0';
    fclose(file);
    return text;
}

static double now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

static int byValue(const void* a, const void* b) {
    double x = *(const double*)a, y = *(const double*)b;
    return (x > y) - (x < y);
}

static double median(double* seconds, int runs) {
    qsort(seconds, (size_t)runs, sizeof *seconds, byValue);
    return seconds[runs / 2];
}

static int runs(const char* text) {
    int n = atoi(text);
    return n < 1 ? 1 : n > kMaxRuns ? kMaxRuns : n;
}

static int benchOpencc(const char* config, const char* path, int count) {
    size_t size;
    char* text = readFile(path, &size);
    opencc_t converter = opencc_open(config);
    if (converter == (opencc_t)-1) {
        fprintf(stderr, "peers: opencc_open %s: %s\n", config, opencc_error());
        return 1;
    }
    double seconds[kMaxRuns];
    size_t written = 0;
    for (int i = 0; i < count; ++i) {
        double start = now();
        char* converted = opencc_convert_utf8(converter, text, size);
        seconds[i] = now() - start;
        if (!converted) {
            fprintf(stderr, "peers: opencc_convert_utf8: %s\n", opencc_error());
            return 1;
        }
        written = strlen(converted);
        opencc_convert_utf8_free(converted);
    }
    opencc_close(converter);
    printf("%zu %.9f %zu\n", size, median(seconds, count), written);
    free(text);
    return 0;
}

static int benchIconv(const char* from, const char* to, const char* path, int count) {
    size_t size;
    char* text = readFile(path, &size);
    iconv_t converter = iconv_open(to, from);
    if (converter == (iconv_t)-1) {
        fprintf(stderr, "peers: iconv_open %s to %s: %s\n", from, to, strerror(errno));
        return 1;
    }
    size_t room = 2 * size + 16;
    char* out = malloc(room);
    double seconds[kMaxRuns];
    size_t written = 0;
    for (int i = 0; i < count; ++i) {
        char* in = text;
        size_t inLeft = size;
        char* at = out;
        size_t outLeft = room;
        iconv(converter, NULL, NULL, NULL, NULL);
        double start = now();
        size_t result = iconv(converter, &in, &inLeft, &at, &outLeft);
        seconds[i] = now() - start;
        if (result == (size_t)-1) {
            fprintf(stderr, "peers: iconv %s to %s stopped at byte %zu: %s\n", from, to, size - inLeft,
                    strerror(errno));
            return 1;
        }
        written = room - outLeft;
    }
    iconv_close(converter);
    printf("%zu %.9f %zu\n", size, median(seconds, count), written);
    free(out);
    free(text);
    return 0;
}

int main(int argc, char** argv) {
    if (argc == 5 && strcmp(argv[1], "opencc") == 0) return benchOpencc(argv[2], argv[3], runs(argv[4]));
    if (argc == 6 && strcmp(argv[1], "iconv") == 0) return benchIconv(argv[2], argv[3], argv[4], runs(argv[5]));
    fprintf(stderr, "usage: peers opencc CONFIG FILE RUNS | peers iconv FROM TO FILE RUNS\n");
    return 64;
}
