#version 120

// Soft round glow: bright core fading to transparent at the sprite's rim.

varying vec4 color;

void main() {
    float radius = length(gl_PointCoord - vec2(0.5)) * 2.0;
    float glow = 1.0 - smoothstep(0.0, 1.0, radius);
    float core = 1.0 - smoothstep(0.0, 0.35, radius);
    vec3 colour = color.rgb * glow + vec3(core * 0.6);
    gl_FragColor = vec4(colour, color.a * glow);
}
