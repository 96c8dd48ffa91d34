/* A small Windows program, built by the tests' own build with mingw-w64: a real PE image to find
   the end of, once with its symbol tables and once stripped. */
int main(void)
{
    return 0;
}
