#version 120

// Shows the main pass on the window: mode 0 as rendered, mode 1 graded
// towards warm highlights and cool shadows under a vignette.

uniform sampler2D texture;
uniform int mode;

varying vec2 uv;

vec3 grade(vec3 colour) {
    float luma = dot(colour, vec3(0.299, 0.587, 0.114));
    vec3 shadows = vec3(0.75, 0.9, 1.15);
    vec3 highlights = vec3(1.2, 1.05, 0.8);
    vec3 toned = colour * mix(shadows, highlights, smoothstep(0.0, 0.6, luma));
    // A little more saturation and contrast.
    toned = mix(vec3(luma), toned, 1.3);
    toned = (toned - 0.5) * 1.15 + 0.5 + 0.04;
    return clamp(toned, 0.0, 1.0);
}

float vignette(vec2 position) {
    vec2 centred = position - 0.5;
    return 1.0 - smoothstep(0.3, 0.8, length(centred * vec2(1.0, 0.75)) * 1.3);
}

void main() {
    vec3 colour = texture2D(texture, uv).rgb;
    if (mode == 1)
        colour = grade(colour) * vignette(uv);
    gl_FragColor = vec4(colour, 1.0);
}
