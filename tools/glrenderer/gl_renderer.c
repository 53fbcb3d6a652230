/* Prints the GL vendor, renderer and version strings of the current display,
 * from a hidden window's context: the benchmark reports what it ran on. */
#include <GLFW/glfw3.h>
#include <stdio.h>

int main(void) {
    if (!glfwInit())
        return 1;
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* window = glfwCreateWindow(64, 64, "renderer", NULL, NULL);
    if (window == NULL) {
        glfwTerminate();
        return 1;
    }
    glfwMakeContextCurrent(window);
    printf("GL_VENDOR: %s\n", (const char*)glGetString(GL_VENDOR));
    printf("GL_RENDERER: %s\n", (const char*)glGetString(GL_RENDERER));
    printf("GL_VERSION: %s\n", (const char*)glGetString(GL_VERSION));
    glfwDestroyWindow(window);
    glfwTerminate();
    return 0;
}
