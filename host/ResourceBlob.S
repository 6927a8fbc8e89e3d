/* The plug-in's resources, in a section of their own: allocated, so it is
   mapped with the image and survives strip. The container is padded at build
   time so the resource tool can replace resources in place. */
	.section brastoke_res,"a",@progbits
	.balign 16
	.globl brastoke_res_begin
	.hidden brastoke_res_begin
brastoke_res_begin:
	.incbin BRASTOKE_RES_FILE
	.globl brastoke_res_end
	.hidden brastoke_res_end
brastoke_res_end:
	.section .note.GNU-stack,"",@progbits
