#version 120

// The shadow map has no colour buffer: only the depth GL writes by itself counts.

void main() {
    gl_FragColor = vec4(gl_FragCoord.z);
}
