/* A Windows program for the tests under Wine: it stands in for the programs and the page viewer a
   book starts, writing each of its arguments on a line of RECORD.TXT in its working folder. It is
   built without a console, which Wine is slow to make. */
#include <stdio.h>

int main(int argc, char** argv)
{
    FILE* record = fopen("RECORD.TXT", "a");
    if (!record)
        return 1;
    for (int i = 1; i < argc; ++i)
        fprintf(record, "%s\n", argv[i]);
    fclose(record);
    return 0;
}
